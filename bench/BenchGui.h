// Painting measures text, and fonts need the GUI application object: the benchmarks that paint
// make one (headless with QT_QPA_PLATFORM=offscreen) before their first drawing or window.
#pragma once

namespace bench {
void EnsureGuiApplication();
}
