#!/usr/bin/env python3
"""Checks that every #include in src/ reaches only its own folder or the
layers below it, and prints the folder-level include table.

    gfx, puzzle -> controls -> shell -> screens | features -> app
"""
import collections
import os
import re
import sys

DEBAJO = {
    'gfx': {'gfx'},
    'puzzle': {'puzzle', 'gfx'},
    'controls': {'controls', 'gfx', 'puzzle'},
    'shell': {'shell', 'controls', 'gfx', 'puzzle'},
    'screens': {'screens', 'shell', 'controls', 'gfx', 'puzzle'},
    'features': {'features', 'shell', 'controls', 'gfx', 'puzzle'},
    'app': {'app', 'screens', 'features', 'shell', 'controls', 'gfx', 'puzzle'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def main(src):
    dueño = {}
    for carpeta in DEBAJO:
        for nombre in os.listdir(os.path.join(src, carpeta)):
            if nombre.endswith('.h'):
                if nombre in dueño:
                    print(f'{nombre} is in both {dueño[nombre]} and {carpeta}')
                    return 1
                dueño[nombre] = carpeta
    tabla = collections.Counter()
    faltas = []
    for carpeta in DEBAJO:
        for nombre in sorted(os.listdir(os.path.join(src, carpeta))):
            with open(os.path.join(src, carpeta, nombre), encoding='utf-8', errors='replace') as f:
                for incluido in INCLUDE.findall(f.read()):
                    if '/' in incluido or '\\' in incluido:
                        faltas.append(f'{carpeta}/{nombre}: "{incluido}" names a path')
                        continue
                    destino = dueño.get(incluido)
                    if destino is None:
                        continue  # resources and generated headers
                    if destino != carpeta:
                        tabla[(carpeta, destino)] += 1
                    if destino not in DEBAJO[carpeta]:
                        faltas.append(f'{carpeta}/{nombre} includes {destino}/{incluido}')
    print('| from -> to | includes |\n|---|---|')
    for (de, a), n in sorted(tabla.items(), key=lambda x: (-x[1], x[0])):
        print(f'| {de} -> {a} | {n} |')
    for falta in faltas:
        print('not allowed:', falta)
    return 1 if faltas else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else 'src'))
