// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Form1: the main window. It holds the controls, wires their events to the handlers and runs
// the recalculation; the calculation, the texts and the chart live in their own libraries.
#pragma once

#include "report/zahltext.h"
#include "ui/fehler.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace zw {

class TChart;
class TForm2;
class TGroupBox;
class TPageControl;
class TTrackBar;
class TForm3;
class TSavePictureDialog;
class TSpinEdit;
class TTextFeld;
class TUpDown;
class TZwischenablage;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // The melder shows each failure; by default a message box over this window.
    explicit TForm1(TFehlerMelder melder = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The clipboard used by "Kopieren" and the chart menu (the system clipboard by default).
    void setZwischenablage(TZwischenablage* ablage);
    // Regional separators for reading and writing numbers; by default those of QLocale().
    void setTrennzeichen(const TTrennzeichen& t);

    // --- Controls, under the names the program's handlers use ---------------------------
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    TPageControl* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;

    // Quick entry: name labels, litre fields, up-downs and hidden counters, in screen order
    // Bier, Wein, Likör, Korn, Bacardi, Whisky.
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLineEdit* Edit6 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TUpDown* UpDown2 = nullptr;
    TUpDown* UpDown5 = nullptr;
    TUpDown* UpDown4 = nullptr;
    TUpDown* UpDown6 = nullptr;
    TUpDown* UpDown3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit5 = nullptr;

    // The controls of the pages behind the first are made when their page is first shown
    // (null until then); see seiteGezeigt().

    // Fine entry: strength and amount of rows 1 to 6.
    TSpinEdit* SpinEdit3 = nullptr;
    TSpinEdit* SpinEdit4 = nullptr;
    TSpinEdit* SpinEdit5 = nullptr;
    TSpinEdit* SpinEdit9 = nullptr;
    TSpinEdit* SpinEdit11 = nullptr;
    TSpinEdit* SpinEdit13 = nullptr;
    TSpinEdit* SpinEdit6 = nullptr;
    TSpinEdit* SpinEdit7 = nullptr;
    TSpinEdit* SpinEdit8 = nullptr;
    TSpinEdit* SpinEdit10 = nullptr;
    TSpinEdit* SpinEdit12 = nullptr;
    TSpinEdit* SpinEdit14 = nullptr;

    TSpinEdit* SpinEdit1 = nullptr; // drinking period, hours
    QComboBox* ComboBox2 = nullptr; // stomach fill
    TGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup1Knoepfe = nullptr;
    TSpinEdit* SpinEdit2 = nullptr; // body weight
    TTrackBar* TrackBar1 = nullptr; // constitution

    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    TTextFeld* Memo1 = nullptr; // effect box
    TTextFeld* Memo2 = nullptr; // peak
    TTextFeld* Memo3 = nullptr; // time to peak
    TTextFeld* Memo4 = nullptr; // intake
    TTextFeld* Memo5 = nullptr; // time to sober
    QLabel* Label15 = nullptr;  // effect caption
    TChart* Chart1 = nullptr;
    QMenu* PopupMenu1 = nullptr; // with its two items, made when first opened
    QAction* AlsWMFspeichern1 = nullptr;
    QAction* Zwischenspeicher1 = nullptr;

    QWidget* ToolBar1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton5 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    // The six quick-entry columns and the spin fields as tables, for code that treats them
    // alike. The spin fields are null until their page is first shown.
    struct Schnellspalte {
        QLabel* Name;
        QLineEdit* Liter;
        TUpDown* Knopf;
        QLineEdit* Zaehler;
        void (TForm1::*ZaehlerChange)(); // the counter's change handler
        void (TForm1::*MouseMove)();     // names the beverage in the status bar
    };
    std::array<Schnellspalte, 6> Schnellspalten() const;
    std::array<TSpinEdit*, 14> Spinfelder() const; // all of them, SpinEdit1 to SpinEdit14

    // --- Handlers ---------------------------------------------------------------------------
    void BerechnungClick();
    void Zuruecksetzen();
    void KopiereInClp();
    void ShowInfo();
    void ShowFormeln();
    void ToolButton5Click();
    void AlsWMFspeichern1Click();
    void Zwischenspeicher1Click();

    // The counters write their litre fields.
    void Edit1Change();
    void Edit3Change();
    void Edit5Change();
    void Edit7Change();
    void Edit9Change();
    void Edit11Change();

    // Status panel 1 names what lies under the mouse.
    void Edit2MouseMove();
    void Edit4MouseMove();
    void Edit6MouseMove();
    void Edit8MouseMove();
    void Edit10MouseMove();
    void Edit12MouseMove();
    void FormMouseMove();
    void Label3MouseMove();
    void Label4MouseMove();
    void Label13MouseMove();
    void Label14MouseMove();

    // The windows behind "Info" and "Formeln", created when first asked for.
    TForm2* Form2();
    TForm3* Form3();

Q_SIGNALS:
    // Every start of a recalculation, nested ones included.
    void berechnungGestartet();

protected:
    bool eventFilter(QObject* objekt, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // The pages behind the first are made when first shown: their 25 controls took a tenth of
    // the start-up, Qt's combo box alone adds about 320 KiB of code to the memory, and most runs
    // never show them. Until a page exists, its values live in this window, and the program
    // reads and writes them through these accessors whether the controls exist or not. A
    // write the control would have announced recalculates just the same.
    int spinwert(std::size_t feld) const; // feld: index into Spinfelder()
    void setzeSpinwert(std::size_t feld, int wert);
    int geschlecht() const;
    void setzeGeschlecht(int id);
    int konstitution() const;
    void setzeKonstitution(int wert);
    int magenfuellung() const;
    void setzeMagenfuellung(int index); // as the program's choice: no recalculation
    QString magenfuellungText() const;

    void seiteGezeigt();
    void baueFenster();
    void baueSchnellSeite();
    void baueFeinSeite();
    void baueParameterSeite();
    void bauePhysiognomieSeite();
    TSpinEdit* spinfeld(std::size_t feld, QWidget* eltern, const QRect& ort);
    void reiheEin(QWidget* seite);
    void baueErgebnisse();
    void baueWerkzeugleiste();
    void baueKontextmenue();
    void verbinde();

    // The recalculation; a failure comes back as its text and nothing has been written.
    std::optional<QString> berechne();
    // Change handlers whose recalculation failure goes to whoever made the change.
    void steuerelementGeaendert();
    void zaehlerGeaendert(QLineEdit* zaehler, QLineEdit* literfeld);
    // Runs a change the program makes to a spin field, the radio group or the slider, and
    // returns the failure of the recalculation that change caused, if any.
    template <typename Aenderung>
    std::optional<QString> programmAenderung(Aenderung&& aenderung);

    void melde(const QString& text);
    TZwischenablage& zwischenablage();
    void zeigeStatus(const QString& text);
    TTrennzeichen trennzeichenAusLocale() const;

    TFehlerMelder melder_;
    TTrennzeichen trennzeichen_;
    TZwischenablage* zwischenablage_ = nullptr;
    std::unique_ptr<TZwischenablage> systemZwischenablage_;
    std::unique_ptr<TSavePictureDialog> SavePictureDialog1_;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    // The values of the controls not made yet.
    std::array<int, 14> spinwerte_{}; // as Spinfelder()
    int geschlecht_ = 0;
    int konstitution_ = 0;
    int magenfuellung_ = -1; // none chosen yet

    QObject* gedruecktAuf_ = nullptr; // Panel1 or one of its pictures, while pressed there
    int programmAenderungen_ = 0;     // depth of program-made changes in progress
    std::optional<QString> weitergereichterFehler_; // failure handed to the change's maker
};

} // namespace zw
