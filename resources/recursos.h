/* Ids of the program's own resources (shared by the .rc file and the code). */
#pragma once

#define IDD_ERROR_INICIO 564
#define IDC_ERROR_TEXTO 1000
#define IDW_SONIDO_ENCIMA 242
#define IDW_SONIDO_CLIC 243

/* Cursors: open hand over the size and count choosers, closed hand while
   one is dragged, arrow with a box while a piece is over a box button. */
#define IDCUR_MANO_ABIERTA 240
#define IDCUR_MANO_CERRADA 241
#define IDCUR_SOLTAR_CAJA 245

/* The program's own icon; the lowest id, so the shell shows it for the file. */
#define IDI_PROGRAMA 100

/* Folder-tree icons, loaded in order from the first: the eight nodes,
   then one per file type (puzzle, picture). */
#define IDI_ESCRITORIO 211
#define IDI_MI_PC 212
#define IDI_DISCO 213
#define IDI_CD 214
#define IDI_EXTRAIBLE 215
#define IDI_CARPETA 216
#define IDI_CARPETA_ABIERTA 217
#define IDI_CARPETA_SUGERIDA 218
#define IDI_ARCHIVO_PUZZLE 219
#define IDI_ARCHIVO_IMAGEN 220
