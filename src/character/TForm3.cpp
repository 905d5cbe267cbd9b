// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/TForm3.h"

#include "character/TForm5.h"
#include "files/KartakError.h"
#include "platform/DefaultButton.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/OneLineValidator.h"
#include "platform/ProgramInfo.h"
#include "platform/RunHandler.h"
#include "platform/WindowPlacement.h"
#include "platform/WindowSetup.h"
#include "print/SheetPrintCommands.h"
#include "rules/CharacterGeneration.h"
#include "rules/RulesTables.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QScopeGuard>

#include <utility>

namespace {

const QString kGenerateCaption = QStringLiteral("&Generuj!");
const QString kBusyCaption = QStringLiteral("-=-=-Počkejte-=-=-");
constexpr int kGenerateFontPoints = 8;
constexpr int kBusyFontPoints = 12;

} // namespace

TForm3::TForm3(QWidget* parent)
    : QWidget(parent), m_choices(*this), m_sheet(*this, *this),
      m_export(*this, *this, m_sheet, SaveDialog1)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    // Closing only hides the window; only the main menu ends the program.
    setUpWindow(this, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_choices.fillLists();
    // A pasted line break would put a second line into the one-line name and the sheets.
    Edit1->setValidator(new OneLineValidator(Edit1));

    m_sheet.prepare();
    // A keyboard user never hovers over the save button, so its description carries the warning.
    BitBtn2->setAccessibleDescription(BitBtn2->toolTip() + QStringLiteral(". ") + Label37->text());
    installDefaultButton(this, Button1);
    makeOneTabStop({RadioButton1, RadioButton2, RadioButton3});
    connectHandlers();
    // Printing and PDF draw from the same sources as "&Uložit", at the moment they run.
    m_printCommands = new SheetPrintCommands(
        this, Shape1,
        [this] {
            return PrintedSheet::Input{
                m_sheet.read(), m_generationResults, TrackBar1->value(), VersionText, {}};
        },
        [this] { MediaPlayer2.play(); });
    ComboBox1->setFocus();
}

TForm3::~TForm3() = default;

void TForm3::connectHandlers()
{
    // activated() comes only from the user's choice; selections set by the program run nothing.
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    connect(ComboBox3, &QComboBox::activated, this, [this] { ComboBox3Change(); });
    connect(ComboBox4, &QComboBox::activated, this, [this] { ComboBox4Change(); });
    connect(ComboBox5, &QComboBox::activated, this, [this] { ComboBox5Change(); });
    connect(ComboBox6, &QComboBox::activated, this, [this] { ComboBox6Change(); });
    // Only the user's moves count: every one of them (key, click, drag, wheel) is announced by
    // actionTriggered with the slider's new position just before the value follows.
    connect(TrackBar1, &QSlider::actionTriggered, this,
            [this] { m_userMovesSlider = TrackBar1->sliderPosition() != TrackBar1->value(); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this] {
        if (std::exchange(m_userMovesSlider, false))
            TrackBar1Change();
    });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });

    setMouseTracking(true);
    for (QPushButton* button : {Button1, BitBtn1, BitBtn2, BitBtn3, BitBtn5}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
}

// --- Set-up, money, tips and the overwrite warning ------------------------------------------

void TForm3::FormCreate()
{
    MediaPlayer1.open(QStringLiteral("Problem.wav"));
    MediaPlayer2.open(QStringLiteral("Success.wav"));
    m_choices.selectFirstItems();
}

void TForm3::TrackBar1Change()
{
    runHandler([this] {
        const int money = TrackBar1->value();
        Label34->setText(QString::number(money));
        Label34->adjustSize();
        if (money == 666)
            MessageBox::information(QStringLiteral("AVE SATANAS:-)"), this);
    });
}

void TForm3::setMoneyMaximum(int maximum, int tickInterval)
{
    TrackBar1->setMaximum(maximum);
    TrackBar1->setTickInterval(tickInterval);
}

void TForm3::Button2Click()
{
    runHandler([this] {
        // 1000 is tested before 200, so each press takes exactly one step.
        if (TrackBar1->maximum() == 1000) {
            setMoneyMaximum(100000, 5000);
            Button2->setEnabled(false);
        }
        if (TrackBar1->maximum() == 200)
            setMoneyMaximum(1000, 100);
    });
}

void TForm3::advanceTip()
{
    const QString tip = m_tipOfTheDay.advance();
    if (m_tipWindow)
        m_tipWindow->setTip(tip);
}

void TForm3::BitBtn3Click()
{
    runHandler([this] {
        MediaPlayer2.play();
        if (m_tipWindow)
            showOrRaise(m_tipWindow);
    });
}

void TForm3::BitBtn5Click()
{
    runHandler([this] { close(); });
}

void TForm3::showOverwriteWarning(bool shown)
{
    for (QWidget* part : {static_cast<QWidget*>(Label37), static_cast<QWidget*>(Shape3),
                          static_cast<QWidget*>(Shape4), static_cast<QWidget*>(Shape5)})
        part->setVisible(shown);
}

void TForm3::FormMouseMove()
{
    runHandler([this] { showOverwriteWarning(false); });
}

void TForm3::Button1MouseMove()
{
    runHandler([this] { showOverwriteWarning(false); });
}

void TForm3::BitBtn1MouseMove()
{
    runHandler([this] { showOverwriteWarning(false); });
}

void TForm3::BitBtn2MouseMove()
{
    runHandler([this] { showOverwriteWarning(true); });
}

void TForm3::BitBtn3MouseMove()
{
    runHandler([this] { showOverwriteWarning(false); });
}

void TForm3::BitBtn5MouseMove()
{
    runHandler([this] { showOverwriteWarning(false); });
}

bool TForm3::event(QEvent* event)
{
    // Before the window is first drawn; not at its polish, which Qt asks for as soon as the event
    // loop runs, while the splash is being put up.
    if (event->type() == QEvent::Show)
        m_sheet.fitCaptions();
    return QWidget::event(event);
}

void TForm3::mouseMoveEvent(QMouseEvent* event)
{
    // Only the window's own free area counts; moves that a child passed on are not ours.
    if (!childAt(event->position().toPoint()))
        FormMouseMove();
    QWidget::mouseMoveEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    const std::pair<QPushButton*, void (TForm3::*)()> handlers[] = {
        {Button1, &TForm3::Button1MouseMove},
        {BitBtn1, &TForm3::BitBtn1MouseMove},
        {BitBtn2, &TForm3::BitBtn2MouseMove},
        {BitBtn3, &TForm3::BitBtn3MouseMove},
        {BitBtn5, &TForm3::BitBtn5MouseMove}};
    // A disabled button takes no pointer moves, as on the platform the window was drawn for.
    for (const auto& [button, handler] : handlers) {
        if (event->type() == QEvent::MouseMove && watched == button && button->isEnabled())
            (this->*handler)();
    }
    return QWidget::eventFilter(watched, event);
}

// --- Equipment choices ---------------------------------------------------------------------

void TForm3::refuseOrConfirm(bool permitted, QComboBox* list)
{
    // The sound comes first: when it cannot play, the refused choice stays as the user left it.
    if (permitted) {
        MediaPlayer2.play();
    } else {
        MediaPlayer1.play();
        list->setCurrentIndex(0);
    }
}

void TForm3::ComboBox1Change()
{
    runHandler([this] { m_choices.resetEquipment(); });
}

void TForm3::ComboBox2Change()
{
    runHandler([this] {
        m_choices.resetEquipment();
        m_choices.applyProfession();
    });
}

void TForm3::ComboBox3Change()
{
    runHandler([this] {
        m_choices.applyHands();
        refuseOrConfirm(m_choices.meleePermitted(), ComboBox3);
    });
}

void TForm3::ComboBox4Change()
{
    runHandler([this] { refuseOrConfirm(m_choices.armourPermitted(), ComboBox4); });
}

void TForm3::ComboBox5Change()
{
    runHandler([this] { refuseOrConfirm(m_choices.rangedPermitted(ComboBox5), ComboBox5); });
}

void TForm3::ComboBox6Change()
{
    runHandler([this] { refuseOrConfirm(m_choices.rangedPermitted(ComboBox6), ComboBox6); });
}

// --- Generation ------------------------------------------------------------------------------

void TForm3::setBusy(bool busy)
{
    // Disabling the focused button would pass the focus on; it comes back with the button.
    if (busy)
        m_button1HadFocus = Button1->hasFocus();
    QFont font = Button1->font();
    font.setPixelSize(Fonts::pixelSizeForPoints(busy ? kBusyFontPoints : kGenerateFontPoints));
    Button1->setFont(font);
    Button1->setText(busy ? kBusyCaption : kGenerateCaption);
    Button1->setEnabled(!busy);
    if (busy)
        Button1->repaint();
    else if (m_button1HadFocus)
        Button1->setFocus();
}

void TForm3::Button1Click()
{
    runHandler([this] {
        {
            setBusy(true);
            // Restored also when a step fails, so the command stays usable for the whole run.
            const auto restore = qScopeGuard([this] { setBusy(false); });
            generate();
        }
        m_sheet.announceNewCharacter();
    });
}

void TForm3::generate()
{
    MediaPlayer2.play();
    m_generationResults.melee.attackNumber = 0;
    m_generationResults.ranged1.attackNumber = 0;
    m_generationResults.ranged2.attackNumber = 0;
    m_generationResults.defenceNumber = 0;

    const Choices choices = m_choices.read();
    // Only a list the creation handler never set can be without a selection.
    for (const int index : {choices.race, choices.profession, choices.melee, choices.ranged1,
                            choices.ranged2, choices.armour}) {
        if (index < 0)
            throw KartakError(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    m_sheet.writeIdentity(choices.name, raceName(choices.race) + QLatin1Char(' ') +
                                            professionName(choices.profession));

    const QTime now = m_clock ? m_clock() : QDateTime::currentDateTimeUtc().time();
    const GenerationResult result = generateCharacter(choices, seedFromTime(now));
    BitBtn2->setEnabled(true);
    m_printCommands->generated({armourItems().value(choices.armour), choices.shield});
    m_sheet.write(result.sheet);
    m_sheet.write(result.combat);
    m_generationResults = result.combat;
    advanceTip();
}

// --- Exports ---------------------------------------------------------------------------------

void TForm3::BitBtn2Click()
{
    runHandler([this] {
        MediaPlayer2.play();
        if (m_export.save(m_generationResults, TrackBar1->value()))
            showOverwriteWarning(false);
    });
}

void TForm3::BitBtn1Click()
{
    runHandler([this] {
        MediaPlayer2.play();
        if (m_notice)
            showOrRaise(m_notice);
        m_export.copy(TrackBar1->value());
    });
}
