// Every window of the program opens centred on the screen it is on.
#pragma once

class QWidget;

namespace zw {

void ZentriereAufBildschirm(QWidget* fenster);

} // namespace zw
