// The window over long work: it waits half a second, then shows the work's
// name in the game's language and a brass bar as long as the work is far.
#include <gtest/gtest.h>

#include "Captura.h"
#include "Globales.h"
#include "Progreso.h"
#include "ProgramaPrueba.h"

namespace {

TEST(Progreso, ShowsAfterHalfASecondWithItsTextAndABarAsFarAsTheWork) {
  PrepararPrograma();
  idioma = 1;  // English
  {
    TrabajoLargo trabajo(kTextoCortando);
    AvanzarTrabajo(0.1);
    EXPECT_EQ(VentanaProgreso(), nullptr) << "quick work shows nothing";
    Sleep(550);
    AvanzarTrabajo(0.25);
    HWND v = VentanaProgreso();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(IsWindowVisible(v));
    char texto[64] = "";
    GetWindowTextA(v, texto, sizeof texto);
    EXPECT_STREQ(texto, "Cutting the pieces\x85");
    Sleep(60);
    AvanzarTrabajo(0.2);  // never back
    // Along the bar's middle row: brass up to a quarter of its inside.
    RECT c;
    GetClientRect(v, &c);
    const std::vector<uint32_t> fila = Leer(v, {0, 64, c.right, 65});
    ASSERT_EQ(fila.size(), static_cast<size_t>(c.right));
    int latón = 0;
    for (uint32_t p : fila) latón += p == 0xC9A227;
    const int hueco = c.right - 2 * 24 - 4;
    EXPECT_NEAR(latón, hueco / 4, 2);
    {
      TrabajoLargo dentro(kTextoAbriendo);  // work inside work keeps the window
      EXPECT_EQ(VentanaProgreso(), v);
    }
    EXPECT_EQ(VentanaProgreso(), v);
  }
  EXPECT_EQ(VentanaProgreso(), nullptr);
  AvanzarTrabajo(0.5);  // without work: nothing
  EXPECT_EQ(VentanaProgreso(), nullptr);
}

}  // namespace
