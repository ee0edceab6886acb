#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The barcode read-back window: shows which label to read and the expected code, and
// takes readings (the reader types them, ended by Enter) until one matches. Esc or
// closing the window gives the reading up.
class FRMCONF : public QDialog {
    Q_OBJECT
public:
    explicit FRMCONF(QWidget* parent = nullptr);

    // Shows the window modally for one reading; true when a reading matched.
    bool confere(const QString& prompt, const QString& expectedCode);

    QLabel* Label1;
    QLabel* LBLCOD;
    QLineEdit* txtleitura;
    QLabel* Label2;
    QLabel* Label3;

private:
    void txtleitura_KeyPress();
};
