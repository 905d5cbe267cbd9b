// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm3.h"

#include "Accessibility.h"
#include "CharacterGeneration.h"
#include "CombatNumbers.h"
#include "DefaultButton.h"
#include "EquipmentRules.h"
#include "Fonts.h"
#include "HtmlSheet.h"
#include "KartakError.h"
#include "LayoutPalette.h"
#include "MessageBox.h"
#include "OneLineValidator.h"
#include "PlainTextSheet.h"
#include "ProgramInfo.h"
#include "Random.h"
#include "RulesTables.h"
#include "RunHandler.h"
#include "SafeFileName.h"
#include "TForm5.h"
#include "TextFile.h"
#include "WindowPlacement.h"
#include "print/SheetPrintCommands.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTextCursor>

#include <utility>

const QString TForm3::TempSheetFile = QStringLiteral("Ka2Temp.ktd");

namespace {

const QString kGenerateCaption = QStringLiteral("&Generuj!");
const QString kBusyCaption = QStringLiteral("-=-=-Počkejte-=-=-");
constexpr int kGenerateFontPoints = 8;
constexpr int kBusyFontPoints = 12;

// A weapon row's field stands under its column's header, not beside a caption, so it tells
// assistive tools what it holds ("Útočné číslo 5"); the form gives each such field its pattern.
// The fields beside a caption are labelled by it instead.
void nameSheetField(QLabel* field)
{
    const QString pattern = field->property("accessibleNameFormat").toString();
    if (!pattern.isEmpty())
        field->setAccessibleName(pattern.arg(field->text().trimmed()));
}

} // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    LayoutPalette::apply(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Closing only hides the window; only the main menu ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(601, 399);

    ComboBox1->addItems(raceNames());
    ComboBox2->addItems(professionNames());
    ComboBox3->addItems(meleeWeaponItems());
    ComboBox4->addItems(armourItems());
    ComboBox5->addItems(rangedWeaponItems());
    ComboBox6->addItems(rangedWeaponItems());
    // No selection until the creation handler makes one.
    for (QComboBox* list : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6})
        list->setCurrentIndex(-1);

    SaveDialog1.title = QStringLiteral("Exportovat osobní deník do souboru");
    SaveDialog1.filterName = QStringLiteral("HTML Dokument");
    SaveDialog1.filterPattern = QStringLiteral("*.htm");
    SaveDialog1.defaultSuffix = QStringLiteral("htm");
    SaveDialog1.fileName = QStringLiteral("*.htm");
    // A pasted line break would put a second line into the one-line name and the sheets.
    Edit1->setValidator(new OneLineValidator(Edit1));

    fitLabelsToText();
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (QLabel* label : labels)
        nameSheetField(label);
    // A keyboard user never hovers over the save button, so its description carries the warning.
    BitBtn2->setAccessibleDescription(BitBtn2->toolTip() + QStringLiteral(". ") + Label37->text());
    installDefaultButton(this, Button1);
    makeRadioGroupOneTabStop();
    connectHandlers();
    // Printing and PDF draw from the same sources as "&Uložit", at the moment they run.
    m_printCommands = new SheetPrintCommands(
        this, Shape1,
        [this] {
            return PrintedSheet::Input{
                sheetFieldTexts(), m_generationResults, TrackBar1->value(), VersionText, {}};
        },
        [this] { MediaPlayer2.play(); });
    ComboBox1->setFocus();
}

TForm3::~TForm3() = default;

void TForm3::fitLabelsToText()
{
    // Labels that are not word-wrapped grow with their text, as the sheet's fields do at every
    // generation, so no caption is ever cut off.
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (label->wordWrap() || label->text().isEmpty())
            continue;
        label->resize(label->sizeHint().width(), qMax(label->height(), label->sizeHint().height()));
    }
}

void TForm3::makeRadioGroupOneTabStop()
{
    // As in any radio group, Tab stops at the checked button and the arrow keys move the choice.
    for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) {
        const auto takeTabStop = [radio](bool checked) {
            radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        };
        takeTabStop(radio->isChecked());
        connect(radio, &QRadioButton::toggled, radio, takeTabStop);
    }
}

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

void TForm3::setNoticeWindow(QWidget* notice)
{
    m_notice = notice;
}

void TForm3::setTipWindow(TForm5* tip)
{
    m_tipWindow = tip;
}

void TForm3::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

// --- Set-up, money, tips and the overwrite warning ---------------------------------------------

void TForm3::FormCreate()
{
    MediaPlayer1.open(QStringLiteral("Problem.wav"));
    MediaPlayer2.open(QStringLiteral("Success.wav"));
    for (QComboBox* list : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6})
        list->setCurrentIndex(0);
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

void TForm3::mouseMoveEvent(QMouseEvent* event)
{
    // Only the window's own free area counts; moves that a child passed on are not ours.
    if (!childAt(event->position().toPoint()))
        FormMouseMove();
    QWidget::mouseMoveEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    // A disabled button takes no pointer moves, as on the platform the window was drawn for.
    if (event->type() == QEvent::MouseMove) {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && button->isEnabled()) {
            if (button == Button1)
                Button1MouseMove();
            else if (button == BitBtn1)
                BitBtn1MouseMove();
            else if (button == BitBtn2)
                BitBtn2MouseMove();
            else if (button == BitBtn3)
                BitBtn3MouseMove();
            else if (button == BitBtn5)
                BitBtn5MouseMove();
        }
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
    runHandler([this] {
        for (QComboBox* list : {ComboBox3, ComboBox4, ComboBox5, ComboBox6})
            list->setCurrentIndex(0);
    });
}

void TForm3::ComboBox2Change()
{
    runHandler([this] {
        for (QComboBox* list : {ComboBox3, ComboBox4, ComboBox5, ComboBox6})
            list->setCurrentIndex(0);
        const int profession = ComboBox2->currentIndex();
        ComboBox4->setEnabled(EquipmentRules::professionMayWearArmour(profession));
        if (EquipmentRules::professionMayCarryShield(profession)) {
            CheckBox1->setEnabled(true);
        } else {
            CheckBox1->setChecked(false);
            CheckBox1->setEnabled(false);
        }
    });
}

void TForm3::ComboBox3Change()
{
    runHandler([this] {
        const int melee = ComboBox3->currentIndex();
        // The hands decide the shield, whatever the profession.
        if (EquipmentRules::meleeTakesBothHands(melee)) {
            CheckBox1->setChecked(false);
            CheckBox1->setEnabled(false);
        } else {
            CheckBox1->setEnabled(true);
        }
        refuseOrConfirm(EquipmentRules::meleePermitted(ComboBox2->currentIndex(), melee),
                        ComboBox3);
    });
}

void TForm3::ComboBox4Change()
{
    runHandler([this] {
        refuseOrConfirm(
            EquipmentRules::armourPermitted(ComboBox2->currentIndex(), ComboBox4->currentIndex()),
            ComboBox4);
    });
}

void TForm3::rangedChange(QComboBox* list)
{
    runHandler([this, list] {
        refuseOrConfirm(EquipmentRules::rangedPermitted(ComboBox1->currentIndex(),
                                                        ComboBox2->currentIndex(),
                                                        list->currentIndex()),
                        list);
    });
}

void TForm3::ComboBox5Change()
{
    rangedChange(ComboBox5);
}

void TForm3::ComboBox6Change()
{
    rangedChange(ComboBox6);
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
    setBusy(true);
    const bool generated = runHandler([this] { generate(); });
    // Restored also when a step failed, so the command stays usable for the rest of the run.
    setBusy(false);
    if (generated)
        announceNewCharacter();
}

void TForm3::announceNewCharacter()
{
    // The focus stays on the command, so a screen reader is told that the sheet has changed.
    QStringList who;
    for (const QLabel* field : {Label7, Label10}) {
        if (!field->text().isEmpty())
            who << field->text();
    }
    Accessibility::announce(this, QStringLiteral("V osobním deníku je nová postava: ") +
                                      who.join(QStringLiteral(", ")) + QLatin1Char('.'));
}

Choices TForm3::currentChoices() const
{
    Choices choices;
    choices.race = ComboBox1->currentIndex();
    choices.profession = ComboBox2->currentIndex();
    choices.name = Edit1->text();
    choices.money = TrackBar1->value();
    choices.melee = ComboBox3->currentIndex();
    choices.ranged1 = ComboBox5->currentIndex();
    choices.ranged2 = ComboBox6->currentIndex();
    choices.armour = ComboBox4->currentIndex();
    choices.shield = CheckBox1->isChecked();
    choices.primaryRow = RadioButton2->isChecked() ? 1 : RadioButton3->isChecked() ? 2 : 0;
    return choices;
}

quint32 TForm3::seedFromClock() const
{
    const QTime now = m_clock ? m_clock() : QDateTime::currentDateTimeUtc().time();
    return seedFromTime(now);
}

void TForm3::generate()
{
    MediaPlayer2.play();
    m_generationResults.melee.attackNumber = 0;
    m_generationResults.ranged1.attackNumber = 0;
    m_generationResults.ranged2.attackNumber = 0;
    m_generationResults.defenceNumber = 0;

    const Choices choices = currentChoices();
    // Only a list the creation handler never set can be without a selection.
    for (const int index : {choices.race, choices.profession, choices.melee, choices.ranged1,
                            choices.ranged2, choices.armour}) {
        if (index < 0)
            throw KartakError(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    setField(Label7, choices.name);
    setField(Label10,
             raceName(choices.race) + QLatin1Char(' ') + professionName(choices.profession));

    const GenerationResult result = generateCharacter(choices, seedFromClock());
    BitBtn2->setEnabled(true);
    m_printCommands->generated({armourItems().value(choices.armour), choices.shield});
    writeSheet(result.sheet);
    writeCombatNumbers(result.combat);
    m_generationResults = result.combat;
    advanceTip();
}

void TForm3::writeSheet(const SheetTexts& sheet)
{
    const std::array<QLabel*, AttributeCount> attributeFields = {Label11, Label16, Label17, Label18,
                                                                 Label19};
    for (int i = 0; i < AttributeCount; ++i) {
        setFieldColor(attributeFields[i], sheet.attributes[i].color);
        setField(attributeFields[i], sheet.attributes[i].text);
    }
    setField(Label21, sheet.hitPoints);
    setField(Label22, sheet.magicPoints);
    setField(Label24, sheet.size);
    setField(Label29, sheet.perceptionObjects);
    setField(Label30, sheet.perceptionMechanisms);
    setField(Label36, sheet.money);
}

void TForm3::writeCombatNumbers(const CombatNumbers& combat)
{
    for (const CombatFieldText& field : combatFieldTexts(combat)) {
        if (auto* label = findChild<QLabel*>(QLatin1String(field.label)))
            setField(label, field.text);
    }
}

void TForm3::setField(QLabel* field, const QString& text)
{
    field->setText(text);
    field->adjustSize();
    nameSheetField(field);
}

void TForm3::setFieldColor(QLabel* field, FieldColor color)
{
    QPalette palette = field->palette();
    switch (color) {
    case FieldColor::Red:
        palette.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
        break;
    case FieldColor::Green:
        palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
        break;
    case FieldColor::WindowText:
        palette.setColor(QPalette::WindowText, this->palette().color(QPalette::WindowText));
        break;
    }
    field->setPalette(palette);
}

// --- Exports ---------------------------------------------------------------------------------

SheetTexts TForm3::sheetFieldTexts() const
{
    SheetTexts sheet;
    sheet.name = Label7->text();
    sheet.raceAndProfession = Label10->text();
    const std::array<QLabel*, AttributeCount> attributeFields = {Label11, Label16, Label17, Label18,
                                                                 Label19};
    for (int i = 0; i < AttributeCount; ++i)
        sheet.attributes[i].text = attributeFields[i]->text();
    sheet.hitPoints = Label21->text();
    sheet.magicPoints = Label22->text();
    sheet.size = Label24->text();
    sheet.perceptionObjects = Label29->text();
    sheet.perceptionMechanisms = Label30->text();
    sheet.money = Label36->text();
    return sheet;
}

void TForm3::BitBtn2Click()
{
    runHandler([this] { saveSheet(); });
}

void TForm3::saveSheet()
{
    MediaPlayer2.play();
    // The dialog proposes the sheet's name as far as it makes a file name; the sheet itself
    // keeps the name as it is.
    SaveDialog1.fileName =
        safeFileName(Label7->text(), QLatin1Char('.') + SaveDialog1.defaultSuffix);
    // The program finds its own files by bare name, so the folder the user picked must not
    // stay the current directory.
    const QString programFolder = QDir::currentPath();
    const std::optional<QString> chosen = SaveDialog1.execute(this);
    QDir::setCurrent(programFolder);
    if (!chosen)
        return;

    HtmlSheet::Input input;
    input.sheet = sheetFieldTexts();
    input.combat = m_generationResults;
    input.money = TrackBar1->value();
    input.versionText = VersionText;
    // Written beside the target and swapped in whole, so a failed save keeps the old file.
    TextFile::saveBytes(*chosen, HtmlSheet::bytes(input));
    MessageBox::information(QStringLiteral("Osobní deník byl uložen do souboru ") +
                                QDir::toNativeSeparators(*chosen) + QLatin1Char('.'),
                            this);
    showOverwriteWarning(false);
}

void TForm3::BitBtn1Click()
{
    runHandler([this] { copySheet(); });
}

void TForm3::copySheet()
{
    MediaPlayer2.play();
    if (m_notice)
        showOrRaise(m_notice);
    TextFile::writeBytes(TempSheetFile,
                         PlainTextSheet::bytes(sheetFieldTexts(), TrackBar1->value()));
    Memo1->setPlainText(TextFile::loadText(TempSheetFile));
    cutMemoToClipboard();
    QFile::remove(TempSheetFile);
    MessageBox::information(QStringLiteral("Osobní deník byl zkopírován do schránky."), this);
}

void TForm3::cutMemoToClipboard()
{
    Memo1->selectAll();
    QTextCursor selection = Memo1->textCursor();
    // The memo keeps its lines as paragraphs; the clipboard gets them with CR LF, as loaded.
    QString text = selection.selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text);
    selection.removeSelectedText();
    Memo1->setTextCursor(selection);
}
