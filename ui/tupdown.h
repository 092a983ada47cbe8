// A pair of arrow buttons that counts a buddy text field up and down without wrapping.
#pragma once

#include <QWidget>

class QLineEdit;

namespace zw {

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum); // 0 .. 100 unless set
    // The hidden counter; a click reads its text, steps by 1 within the range and writes it back.
    void setBuddy(QLineEdit* buddy);
    QLineEdit* buddy() const;

Q_SIGNALS:
    void geklickt(); // after a step was written (or tried at a limit)
};

} // namespace zw
