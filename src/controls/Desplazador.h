// COVSROLL: a vertical spin control of three stacked parts: the upper arrow
// (part 1), the grip (part 2) and the lower arrow (part 3). It holds a
// value from a minimum to a maximum and shows none of it: the owner reads
// the value on notification 4.
//
// The arrows step once per click and repeat while held: the first repeat
// step comes delay + period after the press, the next ones every two
// periods, and the held arrow blinks meanwhile. Dragging the grip steps
// each time the pointer has travelled more than the drag threshold (up
// raises the value); the pointer wraps between the top and bottom edges of
// the screen so a drag never runs out of room.
//
// The picture holds three bands, one per part, top to bottom. A band holds
// its part's frames stacked, each as high as the part: normal, hovered,
// pressed, after a disabled frame when the style is set. The control is as
// wide as the picture and picture height / (style + 3) high. It is ready
// only when that height equals the three part heights together; until
// then it is black and deaf to the mouse, and becoming unready ends a
// press or a hover without reports.
//
// Messages (value in lParam, wParam 0); get messages return the value, set
// messages return 1 unless said:
//   1324 / 1325  get / set enabled; disabling stops the timers, forgets the
//                hover and ends a press, without reports
//   1326 / 1327  get / set picture (HIMAGE, kept by the sender); 1327
//                sizes the window. Null (a picture that could not be had)
//                takes the picture away and makes the control unready,
//                keeping its size; 1327 then gives 0.
//   1334 / 1335  get / set height of part 1 (set: values below 1 ignored)
//   1336 / 1337  get / set height of part 2 (likewise)
//   1338 / 1339  get / set height of part 3 (likewise)
//   1340 / 1341  get / set maximum (100); a minimum above it comes down to
//                it, and the value too
//   1342 / 1343  get / set minimum (0); a maximum below it goes up to it,
//                and the value too
//   1344 / 1345  get / set value (50); set clamps to the range and
//                truncates to a multiple of the step, then clamps again
//   1346 / 1347  get / set step (5). Whenever the step exceeds maximum -
//                minimum, 1341, 1343 and 1347 make it half the range, or 1
//                when that is not above 1.
//   1348 / 1349  get / set drag threshold in pixels (5; below 1 ignored)
//   1350 / 1351  get / set style: a disabled frame in every band; re-sizes
//   1352 / 1353  get / set delay before the repeat, ms (400; below 65
//                raises "Tiempo para el delay demasiado bajo", kept anyway)
//   1354 / 1355  get / set repeat period, ms (150; below 65 raises
//                "Tiempo para el periodo demasiado bajo", kept anyway)
//   1356 / 1357  get / set thumb height (0; below 0 ignored): see below
//   any other message from 1324 to 1424 -> 1, does nothing
// Without a thumb no value message repaints: nothing on the control shows
// the value.
//
// With a thumb height the grip is a track with a thumb that shows the
// value: its band holds the empty track, then the thumb and the thumb lit
// (hovered or held), each in the top thumb-height rows of its frame. The
// thumb stands at the top of the track at the maximum and at its bottom at
// the minimum, and moves whenever the value does; dragging it steps once
// the pointer has gone as far as the thumb moves in a step (the drag
// threshold at least). A disabled control shows the track alone.
// Notifications (1324 to the parent; wParam code, lParam the control):
//   0 pressed, 1 released after a press, 2 pointer entered, 3 pointer left,
//   4 value changed by the mouse, 5-7 pointer entered part 1-3, 8-10 left
//   part 1-3, 11-13 pressed on part 1-3, 14-16 released over part 1-3 (on
//   a release outside: the part that was held). A release reports 4 (when
//   the value changed), 14-16, then 1, and a release outside that was still
//   over a part reports that part's leave and 3 last.
#pragma once

#include <windows.h>

constexpr char kClaseDesplazador[] = "COVSROLL";

constexpr UINT kMsgDespObtenerAlto1 = 1334;
constexpr UINT kMsgDespPonerAlto1 = 1335;
constexpr UINT kMsgDespObtenerAlto2 = 1336;
constexpr UINT kMsgDespPonerAlto2 = 1337;
constexpr UINT kMsgDespObtenerAlto3 = 1338;
constexpr UINT kMsgDespPonerAlto3 = 1339;
constexpr UINT kMsgDespObtenerMaximo = 1340;
constexpr UINT kMsgDespPonerMaximo = 1341;
constexpr UINT kMsgDespObtenerMinimo = 1342;
constexpr UINT kMsgDespPonerMinimo = 1343;
constexpr UINT kMsgDespObtenerValor = 1344;
constexpr UINT kMsgDespPonerValor = 1345;
constexpr UINT kMsgDespObtenerPaso = 1346;
constexpr UINT kMsgDespPonerPaso = 1347;
constexpr UINT kMsgDespObtenerUmbral = 1348;
constexpr UINT kMsgDespPonerUmbral = 1349;
constexpr UINT kMsgDespObtenerEstilo = 1350;
constexpr UINT kMsgDespPonerEstilo = 1351;
constexpr UINT kMsgDespObtenerRetardo = 1352;
constexpr UINT kMsgDespPonerRetardo = 1353;
constexpr UINT kMsgDespObtenerPeriodo = 1354;
constexpr UINT kMsgDespPonerPeriodo = 1355;
constexpr UINT kMsgDespObtenerPulgar = 1356;
constexpr UINT kMsgDespPonerPulgar = 1357;

// Per-part notifications: the base plus the part (1, 2 or 3).
constexpr int kNotifDespEntroParte = 4;    // 5, 6, 7
constexpr int kNotifDespSalioParte = 7;    // 8, 9, 10
constexpr int kNotifDespPresionoParte = 10;  // 11, 12, 13
constexpr int kNotifDespSoltoParte = 13;   // 14, 15, 16

// Timer 1 is the shared hover check; an arrow held down runs timer 2 (the
// delay) and then timer 3 (the repeat). One runs at a time.
constexpr UINT_PTR kTimerDespRetardo = 2;
constexpr UINT_PTR kTimerDespRepeticion = 3;

LRESULT CALLBACK ProcDesplazador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
