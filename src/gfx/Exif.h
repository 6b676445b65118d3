// The EXIF orientation of a photo, read from the file's own bytes: the
// system's imaging component does not report it everywhere, so the same
// small reader serves every platform.
#pragma once

#include <cstddef>
#include <cstdint>

// Orientation values as EXIF numbers them: how the stored picture must be
// turned to stand upright (see Orientacion.h).
constexpr int kOrientacionNormal = 1;
constexpr uint16_t kEtiquetaOrientacion = 0x0112;  // tag 274

// The orientation (1 to 8) of a JPEG file held in `datos`, or 1 when it
// has none, when the value is not 1 to 8, or when anything on the way to it
// is malformed. Walks the markers from SOI up to SOS or EOI; the first APP1
// segment that opens with "Exif\0\0" decides, and later ones are ignored
// (an APP1 of another kind is skipped). Never reads outside
// `datos[0, tamaño)`.
int OrientacionExif(const uint8_t* datos, size_t tamaño);

// The same from a bare TIFF block (what follows "Exif\0\0"): byte order,
// magic 42, IFD0 and its tag 274, a SHORT with a count of 1.
int OrientacionTIFF(const uint8_t* datos, size_t tamaño);
