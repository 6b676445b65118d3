/* Ids of the program's own resources (shared by the .rc file and the code). */
#pragma once

#define IDD_ERROR_INICIO 564
#define IDC_ERROR_TEXTO 1000
#define IDW_SONIDO_ENCIMA 242
#define IDW_SONIDO_CLIC 243
