"""The words carried by interface pictures, one tuple per picture base in
language order es, en, pt, it, fr, de (tema.IDIOMAS)."""

NUEVO_PUZZLE = ('Nuevo puzzle', 'New puzzle', 'Novo quebra-cabeça',
                'Nuovo puzzle', 'Nouveau puzzle', 'Neues Puzzle')

HERRAMIENTAS = ('Herramientas', 'Tools', 'Ferramentas', 'Strumenti', 'Outils', 'Werkzeuge')

OPCIONES = ('Opciones', 'Options', 'Opções', 'Opzioni', 'Options', 'Optionen')

# Page headers, by page: picture, size, number of pieces, piece shape.
CABECERAS = (
    ('Elige la imagen', 'Choose a picture', 'Escolha a imagem',
     "Scegli l'immagine", 'Choisissez une image', 'Bild wählen'),
    ('Tamaño del puzzle', 'Puzzle size', 'Tamanho', 'Misura del puzzle', 'Taille du puzzle', 'Puzzlegröße'),
    ('Número de piezas', 'Number of pieces', 'Número de peças',
     'Numero di pezzi', 'Nombre de pièces', 'Anzahl der Teile'),
    ('Forma de las piezas', 'Piece shape', 'Formato das peças',
     'Forma dei pezzi', 'Forme des pièces', 'Form der Teile'),
)

# The same four pages, short, for the tabs.
PESTANAS = (
    ('Imagen', 'Picture', 'Imagem', 'Immagine', 'Image', 'Bild'),
    ('Tamaño', 'Size', 'Tamanho', 'Misura', 'Taille', 'Größe'),
    ('Piezas', 'Pieces', 'Peças', 'Pezzi', 'Pièces', 'Teile'),
    ('Forma', 'Shape', 'Formato', 'Forma', 'Forme', 'Form'),
)

ABRIR = ('Abrir puzzle', 'Open puzzle', 'Abrir quebra-cabeça', 'Apri puzzle', 'Ouvrir un puzzle', 'Puzzle öffnen')
GUARDAR = ('Guardar puzzle', 'Save puzzle', 'Salvar quebra-cabeça', 'Salva il puzzle',
           'Enregistrer le puzzle', 'Puzzle speichern')

HONOR = ('Cuadro de honor', 'Honour roll', 'Quadro de honra', "Albo d'oro",
         "Tableau d'honneur", 'Ehrentafel')

MUSICA = ('Música', 'Music', 'Música', 'Musica', 'Musique', 'Musik')

IDIOMA = ('Idioma', 'Language', 'Idioma', 'Lingua', 'Langue', 'Sprache')

MENSAJE = ('Mensaje', 'Message', 'Mensagem', 'Messaggio', 'Message', 'Meldung')
