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
class QGroupBox;
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
    void setTrennzeichen(const Trennzeichen& t);

    // --- Controls, under the names the program's handlers use ---------------------------
    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Image2;
    TPageControl* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;

    // Quick entry: name labels, litre fields, up-downs and hidden counters, in screen order
    // Bier, Wein, Likör, Korn, Bacardi, Whisky.
    QLabel *Label1, *Label5, *Label8, *Label7, *Label9, *Label6;
    QLineEdit *Edit2, *Edit4, *Edit10, *Edit8, *Edit12, *Edit6;
    TUpDown *UpDown1, *UpDown2, *UpDown5, *UpDown4, *UpDown6, *UpDown3;
    QLineEdit *Edit1, *Edit3, *Edit9, *Edit7, *Edit11, *Edit5;

    // Fine entry: strength and amount of rows 1 to 6.
    TSpinEdit *SpinEdit3, *SpinEdit4, *SpinEdit5, *SpinEdit9, *SpinEdit11, *SpinEdit13;
    TSpinEdit *SpinEdit6, *SpinEdit7, *SpinEdit8, *SpinEdit10, *SpinEdit12, *SpinEdit14;

    TSpinEdit* SpinEdit1; // drinking period, hours
    QComboBox* ComboBox2; // stomach fill
    TGroupBox* RadioGroup1;
    QButtonGroup* RadioGroup1Knoepfe;
    TSpinEdit* SpinEdit2; // body weight
    TTrackBar* TrackBar1; // constitution

    QLabel *StaticText1, *StaticText2, *StaticText3, *StaticText4;
    TTextFeld* Memo1; // effect box
    TTextFeld* Memo2; // peak
    TTextFeld* Memo3; // time to peak
    TTextFeld* Memo4; // intake
    TTextFeld* Memo5; // time to sober
    QLabel* Label15;  // effect caption
    TChart* Chart1;
    QMenu* PopupMenu1 = nullptr; // with its two items, made when first opened
    QAction* AlsWMFspeichern1 = nullptr;
    QAction* Zwischenspeicher1 = nullptr;

    QWidget* ToolBar1;
    QToolButton *ToolButton2, *ToolButton1, *ToolButton4, *ToolButton3, *ToolButton5;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;

    // The six quick-entry columns and the six fine rows as tables, for code that treats them
    // alike.
    struct Schnellspalte {
        QLabel* Name;
        QLineEdit* Liter;
        TUpDown* Knopf;
        QLineEdit* Zaehler;
        void (TForm1::*ZaehlerChange)();  // the counter's change handler
        void (TForm1::*MouseMove)();      // names the beverage in the status bar
    };
    std::array<Schnellspalte, 6> Schnellspalten() const;
    std::array<TSpinEdit*, 6> Staerkefelder() const;
    std::array<TSpinEdit*, 6> Mengenfelder() const;
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
    void baueFenster();
    void baueSchnellSeite();
    void baueFeinSeite();
    void baueParameterSeite();
    void bauePhysiognomieSeite();
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
    Trennzeichen trennzeichenAusLocale() const;

    TFehlerMelder melder_;
    Trennzeichen trennzeichen_;
    TZwischenablage* zwischenablage_ = nullptr;
    std::unique_ptr<TZwischenablage> systemZwischenablage_;
    std::unique_ptr<TSavePictureDialog> SavePictureDialog1_;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;

    QObject* gedruecktAuf_ = nullptr; // Panel1 or one of its pictures, while pressed there
    int programmAenderungen_ = 0;                   // depth of program-made changes in progress
    std::optional<QString> weitergereichterFehler_; // failure handed to the change's maker
};

} // namespace zw
