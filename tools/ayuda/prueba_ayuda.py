"""prueba_ayuda.py: checks of the help generator, run with
/usr/bin/python3 tools/ayuda/prueba_ayuda.py (exit code 0 when all pass).
The real pages must come out the same twice; broken pages and broken
sources must be caught."""

import os
import re
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ayuda  # noqa: E402

fallos = []


def comprueba(condicion, que):
    if not condicion:
        fallos.append(que)


def leer_todo(carpeta):
    return {n: open(os.path.join(carpeta, str(n), 'Index.htm'), 'rb').read() for n in range(6)}


def fuentes_reales():
    return {c: open(os.path.join(ayuda.FUENTES, c + '.txt'), encoding='utf-8').read() for c in ayuda.tema.IDIOMAS}


def generar_con(textos):
    """Runs the generator on a copy of the sources with some replaced;
    returns the error text, or None when it succeeded."""
    with tempfile.TemporaryDirectory() as tmp:
        fuentes = os.path.join(tmp, 'help')
        os.makedirs(fuentes)
        for codigo, texto in textos.items():
            with open(os.path.join(fuentes, codigo + '.txt'), 'w', encoding='utf-8') as f:
                f.write(texto)
        try:
            ayuda.generar(os.path.join(tmp, 'out'), fuentes)
        except ayuda.ErrorFuente as error:
            return str(error)
    return None


# The shipped pages: written, valid, and the same bytes on every run.
with tempfile.TemporaryDirectory() as tmp:
    ayuda.generar(os.path.join(tmp, 'a'))
    ayuda.generar(os.path.join(tmp, 'b'))
    a, b = leer_todo(os.path.join(tmp, 'a')), leer_todo(os.path.join(tmp, 'b'))
    comprueba(a == b, 'two runs gave different bytes')
    for n, datos in a.items():
        comprueba(ayuda.comprobar(datos) == [], 'page %d: %s' % (n, ayuda.comprobar(datos)))
        comprueba(b'\r\n' in datos and b'\n' not in datos.replace(b'\r\n', b''), 'page %d: mixed line ends' % n)
        comprueba(('lang="%s"' % ayuda.tema.IDIOMAS[n]).encode() in datos, 'page %d: wrong language' % n)
    # Accents really are single Windows-1252 bytes, not UTF-8 pairs.
    comprueba('Tamaño'.encode('cp1252') in a[0] and 'Tamaño'.encode('utf-8') not in a[0], 'Spanish page not in cp1252')
    comprueba('Größe'.encode('cp1252') in a[5], 'German page lacks its umlauts')
    comprueba(b'\xa0:' in a[4], 'French page lacks its no-break spaces')

    # The shortcut table: every page lists each shortcut key, in a table
    # whose rows match across languages (the generator checks the rows).
    for n, datos in a.items():
        texto = datos.decode('cp1252')
        tabla = texto[texto.find('<h2 id="atajos">'):]
        tabla = tabla[tabla.find('<table>'):tabla.find('</table>')]
        teclas = set(re.findall(r'<kbd>([^<]*)</kbd>', tabla))
        for tecla in ('N', 'O', 'S', 'Z', 'Y', 'E', 'G', 'B', 'H', 'M', 'R', 'V', '+', '-', '0', 'F1', '1', '6'):
            comprueba(tecla in teclas, 'page %d: the shortcut table lacks %s' % (n, tecla))
        comprueba(teclas & {'Esc', '\u00c9chap'}, 'page %d: the shortcut table lacks Escape' % n)
        comprueba(len(teclas & {'Shift', 'May\u00fas', 'Maiusc', 'Maj', 'Umschalt'}) == 1,
                  'page %d: the shortcut table lacks Shift' % n)
        comprueba(tabla.count('<tr>') == 20, 'page %d: the shortcut table has %d rows' % (n, tabla.count('<tr>')))

# The page check catches what a browser would trip on.
BASE = ('<!DOCTYPE html><html><head><meta charset="windows-1252"></head>'
        '<body><h2 id="uno">x</h2><a href="#uno">y</a>%s</body></html>')
malas = {
    'link without target': BASE % '<a href="#dos">z</a>',
    'web address': BASE % '<a href="http://example.invalid/">z</a>',
    'file address': BASE % '<a href="file:///C:/x.htm">z</a>',
    'rooted path': BASE % '<a href="/Help/1/Index.htm">z</a>',
    'rooted Windows path': BASE % '<img src="\\pictures\\a.bmp">',
    'same id twice': BASE % '<p id="uno">z</p>',
    'no charset': (BASE % '').replace('<meta charset="windows-1252">', ''),
    'other charset': (BASE % '').replace('windows-1252', 'utf-8'),
}
comprueba(ayuda.comprobar((BASE % '<a href="otra.htm">z</a>').encode('cp1252')) == [], 'relative link refused')
for que, pagina in malas.items():
    comprueba(ayuda.comprobar(pagina.encode('cp1252')) != [], 'page check misses: ' + que)
comprueba(ayuda.comprobar((BASE % '').encode('cp1252') + b'\x81') != [], 'page check misses: a byte cp1252 lacks')

# The generator refuses broken sources, naming the file.
reales = fuentes_reales()


def con(codigo, viejo, nuevo):
    textos = dict(reales)
    comprueba(viejo in textos[codigo], 'test text not found in %s: %s' % (codigo, viejo))
    textos[codigo] = textos[codigo].replace(viejo, nuevo, 1)
    return generar_con(textos)


rotas = {
    'a character cp1252 lacks': con('de', 'Zeilen', 'Zeilen \u2192'),
    'a link to no section': con('it', '{honor}', '{onore}'),
    'bold left open': con('pt', '**Dica**', '**Dica'),
    'a section missing': con('fr', '== info:', '=== info:'),
    'a number changed': con('es', 'a 6 puntos', 'a 7 puntos'),
    'a header line missing': con('en', 'arriba: Back to the contents\n', ''),
}

# Tables: cells keep their markup, a bar inside a link or a literal stays in
# its cell, and a table that is not one is refused.
TABLA = '| Keys | What |\n|---|---|\n| [Ctrl]+[Z] | **Undo**, see {teclas|the keys} |\n| `a|b` | c |\n'


def una_tabla(tabla):
    textos = dict(reales)
    for codigo in textos:  # the same table everywhere, or the rows differ
        textos[codigo] = textos[codigo].replace('\n== teclas:', '\n' + tabla + '\n== teclas:', 1)
    with tempfile.TemporaryDirectory() as tmp:
        try:
            ayuda.generar(os.path.join(tmp, 'out'), generar_fuentes(tmp, textos))
        except ayuda.ErrorFuente as error:
            return None, str(error)
        return open(os.path.join(tmp, 'out', '1', 'Index.htm'), 'rb').read().decode('cp1252'), None


def generar_fuentes(tmp, textos):
    fuentes = os.path.join(tmp, 'help')
    os.makedirs(fuentes)
    for codigo, texto in textos.items():
        with open(os.path.join(fuentes, codigo + '.txt'), 'w', encoding='utf-8') as f:
            f.write(texto)
    return fuentes


pagina_tabla, error = una_tabla(TABLA)
comprueba(error is None, 'a good table refused: %s' % error)
if pagina_tabla:
    comprueba('<thead><tr><th>Keys</th><th>What</th></tr></thead>' in pagina_tabla, 'table heading wrong')
    comprueba('<tr><td><kbd>Ctrl</kbd>+<kbd>Z</kbd></td><td><strong>Undo</strong>, see '
              '<a href="#teclas">the keys</a></td></tr>' in pagina_tabla, 'table cell markup wrong')
    comprueba('<tr><td><code>a|b</code></td><td>c</td></tr>' in pagina_tabla, 'a bar in a literal split the cell')
tablas_rotas = {
    'a table without its rule row': TABLA.replace('|---|---|\n', ''),
    'a rule row of the wrong width': TABLA.replace('|---|---|', '|---|---|---|'),
    'a row with a cell too many': TABLA.replace('| c |', '| c | d |'),
    'an empty cell': TABLA.replace('| c |', '|  |'),
    'a row not closed by a bar': TABLA.replace('| c |', '| c'),
    'a table with no rows': '| Keys | What |\n|---|---|\n',
    'text straight after a table': TABLA + 'More text.\n',
}
for que, tabla in tablas_rotas.items():
    comprueba(una_tabla(tabla)[1] is not None, 'generator accepts ' + que)
# One language's table a row short is caught.
textos = dict(reales)
for codigo in textos:
    textos[codigo] = textos[codigo].replace('\n== teclas:', '\n' + TABLA + '\n== teclas:', 1)
textos['it'] = textos['it'].replace('| `a|b` | c |\n', '', 1)
with tempfile.TemporaryDirectory() as tmp:
    try:
        ayuda.generar(os.path.join(tmp, 'out'), generar_fuentes(tmp, textos))
        comprueba(False, 'generator accepts a table a row short in one language')
    except ayuda.ErrorFuente as error:
        comprueba('it.txt' in str(error) and 'tables' in str(error), 'row count error unclear: %s' % error)

for que, error in rotas.items():
    comprueba(error is not None, 'generator accepts ' + que)
comprueba('de.txt' in (rotas['a character cp1252 lacks'] or ''), 'error does not name the file')
comprueba(generar_con(reales) is None, 'generator refuses the real sources')

if fallos:
    print('\n'.join('FAIL: ' + f for f in fallos))
    sys.exit(1)
print('prueba_ayuda: all checks passed')
