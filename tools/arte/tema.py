"""The look of the whole game: a warm wooden desk with cream paper,
brass fittings and green felt. Every picture generator takes its colours
and fonts from here so the windows agree with each other."""

# Colours (R, G, B)
NOGAL_OSCURO = (62, 38, 22)      # walnut, shadowed grain
NOGAL = (104, 66, 38)            # walnut, body
NOGAL_CLARO = (146, 98, 58)      # walnut, highlights
PAPEL = (243, 233, 210)          # cream paper (text areas)
PAPEL_SOMBRA = (214, 199, 168)
TINTA = (43, 29, 18)             # dark ink for text on paper
LATON = (201, 162, 39)           # brass, body
LATON_CLARO = (240, 214, 120)    # brass, highlight (hovered)
LATON_OSCURO = (128, 98, 22)     # brass, shadow (pressed)
FIELTRO = (47, 93, 58)           # green felt (the table)
FIELTRO_OSCURO = (32, 68, 41)
ROJO_SELLO = (150, 40, 32)       # sealing-wax red, for accents

# Fonts (Debian's DejaVu packages)
LETRA_TITULO = '/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf'
LETRA_TEXTO = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf'
LETRA_CONDENSADA = '/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf'
LETRA_SERIF = '/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf'

# Language indices used in picture numbers (base + lang)
IDIOMAS = ('es', 'en', 'pt', 'it', 'fr', 'de')
