// Settings that belong to the whole application rather than to one window, made once at
// start-up before the first window is created.
#pragma once

namespace zw {

void RichteAnwendungEin();

} // namespace zw
