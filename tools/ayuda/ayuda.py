"""ayuda.py OUTDIR: the help pages, OUTDIR/<lang>/Index.htm for every
language index, written from assets/help/<code>.txt in Windows-1252 with
the stylesheet inline. Every page is checked after it is written.

Source format (UTF-8):
    clave: valor            header lines before the first section:
                            titulo, subtitulo, indice, arriba
    == id: Title            a section; id is its anchor
    === Title               a sub-heading inside a section
    text lines              a paragraph (a blank line ends it)
    - item / 1. item        list items; indented lines continue an item
    | head | head |         a table: its heading row, a rule row |---|---|,
    | cell | cell |         then one line per row, as many cells each
Inline: **bold**, [Key] for a key, `literal` (no markup inside),
{id} a link to a section under its title, {id|words} with other words.
"""

import html
import os
import re
import sys

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.normpath(os.path.join(AQUI, '..', '..'))
sys.path.insert(0, os.path.join(RAIZ, 'tools', 'arte'))
import tema  # noqa: E402

FUENTES = os.path.join(RAIZ, 'assets', 'help')
CODIFICACION = 'cp1252'
CLAVES = ('titulo', 'subtitulo', 'indice', 'arriba')


class ErrorFuente(Exception):
    pass


def hexa(color):
    return '#%02x%02x%02x' % color


ESTILO = """
body { margin: 0; background: %(papel)s; color: %(tinta)s;
  font-family: sans-serif; font-size: 100%%; line-height: 1.45; }
.cabecera { background: %(nogal)s; color: %(papel)s; padding: 0.8em 1.5em 0.7em;
  border-bottom: 5px solid %(laton)s; }
.cabecera h1 { margin: 0; font-family: serif; font-size: 2em; letter-spacing: 0.02em; }
.cabecera p { margin: 0.2em 0 0; color: %(laton_claro)s; }
.hoja { max-width: 46em; margin: 0 auto; padding: 0.5em 1.5em 2em; }
.indice { background: %(papel_sombra)s; border: 1px solid %(laton_oscuro)s;
  padding: 0.4em 1.2em 0.6em; margin: 1em 0 1.5em; }
.indice h2 { border: none; margin: 0.3em 0; }
.indice ol { margin: 0.2em 0; padding-left: 1.6em; }
h2 { font-family: serif; color: %(nogal)s; font-size: 1.45em;
  border-bottom: 2px solid %(laton)s; padding-bottom: 0.1em; margin: 1.6em 0 0.5em; }
h3 { font-family: serif; color: %(nogal_oscuro)s; font-size: 1.12em; margin: 1.1em 0 0.3em; }
a { color: %(rojo)s; }
strong { color: %(nogal_oscuro)s; }
kbd { font-family: sans-serif; font-size: 0.9em; background: #fffaf0;
  border: 1px solid %(laton_oscuro)s; border-bottom-width: 2px; padding: 0 0.35em; }
code { font-size: 1.05em; background: #fffaf0; padding: 0 0.3em; }
li { margin: 0.25em 0; }
table { border-collapse: collapse; margin: 0.6em 0 0.8em; }
th, td { border: 1px solid %(laton_oscuro)s; padding: 0.25em 0.7em; text-align: left; vertical-align: top; }
th { background: %(papel_sombra)s; font-family: serif; color: %(nogal_oscuro)s; }
td:first-child { white-space: nowrap; }
.arriba { text-align: right; font-size: 0.85em; margin: 0.3em 0 0; }
""" % {
    'papel': hexa(tema.PAPEL), 'papel_sombra': hexa(tema.PAPEL_SOMBRA), 'tinta': hexa(tema.TINTA),
    'nogal': hexa(tema.NOGAL), 'nogal_oscuro': hexa(tema.NOGAL_OSCURO), 'laton': hexa(tema.LATON),
    'laton_claro': hexa(tema.LATON_CLARO), 'laton_oscuro': hexa(tema.LATON_OSCURO),
    'rojo': hexa(tema.ROJO_SELLO),
}


# ---- Reading a source ------------------------------------------------------

def leer(texto, nombre):
    """Header values and the list of sections (id, title, blocks)."""
    cabecera, secciones = {}, []
    bloque = None  # ('p', [lines]), ('ul'/'ol', [[lines], ...]), ('table', [[cells], ...]) or ('h3', title)

    def cerrar():
        nonlocal bloque
        if bloque is not None:
            if bloque[0] == 'table':
                if len(bloque[1]) < 3:
                    raise ErrorFuente('%s: a table needs a heading, a rule row and at least one row' % bloque[2])
                bloque = ('table', [bloque[1][0]] + bloque[1][2:])
            secciones[-1][2].append(bloque)
            bloque = None

    for n, linea in enumerate(texto.split('\n'), 1):
        linea = linea.rstrip()
        donde = '%s:%d' % (nombre, n)
        m = re.match(r'^== ([a-z0-9-]+): (.+)$', linea)
        if m:
            cerrar()
            secciones.append((m.group(1), m.group(2).strip(), []))
            continue
        if not secciones:
            if not linea:
                continue
            m = re.match(r'^([a-z]+): (.+)$', linea)
            if not m or m.group(1) not in CLAVES:
                raise ErrorFuente('%s: expected one of %s before the first section' % (donde, ', '.join(CLAVES)))
            cabecera[m.group(1)] = m.group(2).strip()
            continue
        if linea.startswith('=== '):
            cerrar()
            secciones[-1][2].append(('h3', linea[4:].strip()))
            continue
        if not linea:
            cerrar()
            continue
        if linea.startswith('|'):
            celdas = celdas_fila(linea, donde)
            if bloque is None or bloque[0] != 'table':
                cerrar()
                bloque = ('table', [], donde)
            filas = bloque[1]
            if len(filas) == 1:
                if not all(re.fullmatch(r':?-{3,}:?', c) for c in celdas):
                    raise ErrorFuente('%s: a table needs a rule row |---| under its heading' % donde)
                if len(celdas) != len(filas[0]):
                    raise ErrorFuente('%s: the rule row has %d cells, the heading %d' % (donde, len(celdas), len(filas[0])))
                filas.append(None)
                continue
            if filas and len(celdas) != len(filas[0]):
                raise ErrorFuente('%s: a row of %d cells in a table of %d' % (donde, len(celdas), len(filas[0])))
            filas.append(celdas)
            continue
        m = re.match(r'^(- |\d+\. )(.*)$', linea)
        if m:
            tipo = 'ul' if m.group(1) == '- ' else 'ol'
            if bloque is None or bloque[0] != tipo:
                cerrar()
                bloque = (tipo, [])
            bloque[1].append([m.group(2)])
            continue
        if linea.startswith('  ') and bloque is not None and bloque[0] in ('ul', 'ol'):
            bloque[1][-1].append(linea.strip())
            continue
        if bloque is not None and bloque[0] != 'p':
            raise ErrorFuente('%s: text straight after a list; leave a blank line' % donde)
        if bloque is None:
            bloque = ('p', [])
        bloque[1].append(linea.strip())
    if secciones:
        cerrar()
    faltan = [c for c in CLAVES if c not in cabecera]
    if faltan:
        raise ErrorFuente('%s: missing %s' % (nombre, ', '.join(faltan)))
    if not secciones:
        raise ErrorFuente('%s: no sections' % nombre)
    ids = [s[0] for s in secciones]
    repetidos = sorted({i for i in ids if ids.count(i) > 1})
    if repetidos:
        raise ErrorFuente('%s: section id used twice: %s' % (nombre, ', '.join(repetidos)))
    return cabecera, secciones


def celdas_fila(linea, donde):
    """The cells of a table line; a bar inside a literal or a {id|words}
    link belongs to the cell."""
    if not (linea.startswith('|') and linea.endswith('|')) or len(linea) < 2:
        raise ErrorFuente('%s: a table row begins and ends with |' % donde)
    celdas, actual, literal, llaves = [], [], False, 0
    for c in linea[1:-1]:
        if c == '`':
            literal = not literal
        elif not literal and c == '{':
            llaves += 1
        elif not literal and c == '}':
            llaves -= 1
        if c == '|' and not literal and llaves == 0:
            celdas.append(''.join(actual).strip())
            actual = []
        else:
            actual.append(c)
    celdas.append(''.join(actual).strip())
    if any(not c for c in celdas):
        raise ErrorFuente('%s: an empty table cell' % donde)
    return celdas


# ---- Writing HTML ----------------------------------------------------------

def espacios_franceses(texto):
    """French spacing: a no-break space before : ; ? ! and inside the
    guillemets, and between the digit groups of a number; literals stay."""
    partes = texto.split('`')
    for i in range(0, len(partes), 2):
        t = re.sub(r' ([:;?!\u00bb])', '\u00a0\\1', partes[i])
        t = t.replace('\u00ab ', '\u00ab\u00a0')
        partes[i] = re.sub(r'(\d) (\d{3})\b', '\\1\u00a0\\2', t)
    return '`'.join(partes)


def en_linea(texto, titulos, donde):
    """Inline markup to HTML; literals first so nothing inside them is markup."""
    partes = re.split(r'`([^`]*)`', texto)
    salida = []
    for i, parte in enumerate(partes):
        if i % 2:
            salida.append('<code>%s</code>' % html.escape(parte, quote=False))
            continue
        if '`' in parte:
            raise ErrorFuente('%s: unmatched `' % donde)
        t = html.escape(parte, quote=False)
        t = re.sub(r'\*\*(.+?)\*\*', r'<strong>\1</strong>', t)
        t = re.sub(r'\[([^\[\]]+)\]', r'<kbd>\1</kbd>', t)

        def enlace(m):
            destino, palabras = m.group(1), m.group(2)
            if destino not in titulos:
                raise ErrorFuente('%s: link to unknown section {%s}' % (donde, destino))
            return '<a href="#%s">%s</a>' % (destino, palabras or titulos[destino])
        t = re.sub(r'\{([a-z0-9-]+)(?:\|([^{}]+))?\}', enlace, t)
        if re.search(r'[{}]|\*\*', t):
            raise ErrorFuente('%s: stray markup in "%s"' % (donde, parte.strip()))
        salida.append(t)
    return ''.join(salida)


def pagina(codigo, cabecera, secciones, nombre):
    titulos = {s[0]: html.escape(s[1], quote=False) for s in secciones}
    e = lambda s: html.escape(s, quote=False)  # noqa: E731
    out = [
        '<!DOCTYPE html>',
        '<html lang="%s">' % codigo,
        '<head>',
        '<meta charset="windows-1252">',
        '<title>%s</title>' % e(cabecera['titulo']),
        '<style>%s</style>' % ESTILO.rstrip(),
        '</head>',
        '<body>',
        '<div class="cabecera"><h1>%s</h1><p>%s</p></div>' % (e(cabecera['titulo']), e(cabecera['subtitulo'])),
        '<div class="hoja">',
        '<div class="indice" id="indice"><h2>%s</h2><ol>' % e(cabecera['indice']),
    ]
    out += ['<li><a href="#%s">%s</a></li>' % (i, titulos[i]) for i, _, _ in secciones]
    out.append('</ol></div>')
    for ident, titulo, bloques in secciones:
        donde = '%s [%s]' % (nombre, ident)
        out.append('<h2 id="%s">%s</h2>' % (ident, titulos[ident]))
        for tipo, contenido in bloques:
            if tipo == 'h3':
                out.append('<h3>%s</h3>' % en_linea(contenido, titulos, donde))
            elif tipo == 'p':
                out.append('<p>%s</p>' % en_linea(' '.join(contenido), titulos, donde))
            elif tipo == 'table':
                fila = lambda marca, celdas: '<tr>%s</tr>' % ''.join(  # noqa: E731
                    '<%s>%s</%s>' % (marca, en_linea(c, titulos, donde), marca) for c in celdas)
                out.append('<table>')
                out.append('<thead>%s</thead>' % fila('th', contenido[0]))
                out.append('<tbody>')
                out += [fila('td', celdas) for celdas in contenido[1:]]
                out.append('</tbody>')
                out.append('</table>')
            else:
                out.append('<%s>' % tipo)
                out += ['<li>%s</li>' % en_linea(' '.join(item), titulos, donde) for item in contenido]
                out.append('</%s>' % tipo)
        out.append('<p class="arriba"><a href="#indice">%s</a></p>' % e(cabecera['arriba']))
    out += ['</div>', '</body>', '</html>', '']
    return '\n'.join(out).replace('\n', '\r\n')


def codificar(texto, nombre):
    try:
        return texto.encode(CODIFICACION)
    except UnicodeEncodeError as error:
        malo = texto[error.start:error.end]
        linea = texto.count('\n', 0, error.start) + 1
        raise ErrorFuente('%s: line %d: %r (U+%04X) has no Windows-1252 byte'
                          % (nombre, linea, malo, ord(malo[0])))


# ---- Checking a written page -----------------------------------------------

def comprobar(datos):
    """Problems found in one page's bytes; empty when the page is fine."""
    problemas = []
    try:
        texto = datos.decode(CODIFICACION)
    except UnicodeDecodeError as error:
        return ['byte %d is not Windows-1252' % error.start]
    if not re.search(r'<meta charset="windows-1252">', texto[:400], re.I):
        problemas.append('no windows-1252 charset meta at the top')
    ids = re.findall(r'\bid="([^"]*)"', texto)
    for i in sorted({i for i in ids if ids.count(i) > 1}):
        problemas.append('id "%s" used twice' % i)
    for destino in re.findall(r'\b(?:href|src)="([^"]*)"', texto):
        if destino.startswith('#'):
            if destino[1:] not in ids:
                problemas.append('link %s has no target' % destino)
        elif re.match(r'^(?:[a-z][a-z0-9+.-]*:|/|\\)', destino, re.I):
            problemas.append('absolute link %s' % destino)
    return problemas


def numeros(datos):
    """The numbers in a page's visible text, as a sorted list: every
    translation states the same facts, so they must agree."""
    texto = datos.decode(CODIFICACION)
    texto = re.sub(r'<[^>]*>', ' ', texto[texto.find('<body>'):])
    texto = re.sub(r'(\d)[ .,\u00a0](\d{3})\b', r'\1\2', texto)  # 16,000 / 16.000 / 16 000
    return sorted(int(n) for n in re.findall(r'\d+', texto))


# ---- The whole run -----------------------------------------------------------

def generar(salida, fuentes=FUENTES):
    """Writes every language's page; returns the list of pages written."""
    escritas, estructura, cifras = [], None, None
    for indice, codigo in enumerate(tema.IDIOMAS):
        nombre = os.path.join(fuentes, codigo + '.txt')
        with open(nombre, encoding='utf-8') as f:
            texto = f.read()
        if codigo == 'fr':
            texto = espacios_franceses(texto)
        cabecera, secciones = leer(texto, nombre)
        # Every language has the same sections in the same order, and the
        # same tables, row for row.
        ids = [s[0] for s in secciones]
        tablas = [(s[0], len(b[1]), len(b[1][0])) for s in secciones for b in s[2] if b[0] == 'table']
        if estructura is None:
            estructura = (codigo, ids, tablas)
        elif ids != estructura[1]:
            raise ErrorFuente('%s: sections %s differ from %s.txt %s' % (nombre, ids, estructura[0], estructura[1]))
        elif tablas != estructura[2]:
            raise ErrorFuente('%s: tables (section, rows, columns) %s differ from %s.txt %s'
                              % (nombre, tablas, estructura[0], estructura[2]))
        datos = codificar(pagina(codigo, cabecera, secciones, nombre), nombre)
        problemas = comprobar(datos)
        if cifras is None:
            cifras = (codigo, numeros(datos))
        elif numeros(datos) != cifras[1]:
            problemas.append('its numbers %s differ from those of %s.txt %s' % (numeros(datos), cifras[0], cifras[1]))
        if problemas:
            raise ErrorFuente('%s: %s' % (nombre, '; '.join(problemas)))
        carpeta = os.path.join(salida, str(indice))
        os.makedirs(carpeta, exist_ok=True)
        destino = os.path.join(carpeta, 'Index.htm')
        with open(destino, 'wb') as f:
            f.write(datos)
        escritas.append(destino)
    return escritas


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: ayuda.py OUTDIR\n')
        return 2
    try:
        generar(argv[1])
    except (ErrorFuente, OSError) as error:
        sys.stderr.write('ayuda.py: %s\n' % error)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
