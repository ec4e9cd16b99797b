#include "window/Fmain.h"

#include "window/canvas/FontMapping.h"
#include "window/controls/Messages.h"
#include "window/FrameMargins.h"
#include "window/PreviewArea.h"
#include "window/RadioGroup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <string_view>
#include <vector>

// The window's pictures live in a static library, whose resources must be
// registered by hand (outside any namespace).
static void InitWindowResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace zentavo {
namespace {

constexpr QSize OuterSize{OuterWidth, OuterHeight};

QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect RectOf(const Bounds& bounds)
{
    return {bounds.left, bounds.top, bounds.width, bounds.height};
}

QFont FontFor(ControlFont kind)
{
    const FontStyle& style = FontStyles[static_cast<size_t>(kind)];
    QFont font = MappedFont(Text(style.face));
    font.setPixelSize(style.pixels);
    font.setBold(style.bold);
    return font;
}

// The printer picture of both print buttons; its light grey is see-through.
QIcon PrinterIcon()
{
    QPixmap picture(QStringLiteral(":/window/icons/printer.png"));
    picture.setMask(picture.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
    return QIcon(picture);
}

// The Quit button's cross, drawn for this program: the style's own close icon
// first searches the desktop's icon themes, which costs more at start-up than
// the whole rest of the window's pictures.
QIcon CloseIcon()
{
    QIcon icon;
    for (const int size : {16, 32})
        icon.addFile(QStringLiteral(":/window/icons/close-%1.png").arg(size), QSize(size, size));
    return icon;
}

// The window's member for each radio group and command, in table order.
constexpr RadioGroup* TForm1::*GroupMembers[GroupCount] = {
    &TForm1::ImportantDan, &TForm1::JousuuCheck, &TForm1::MGroup,      &TForm1::rgSquare,
    &TForm1::Amari,        &TForm1::QNumCheck,   &TForm1::RandomCheck, &TForm1::rgNum,
};
constexpr QPushButton* TForm1::*CommandMembers[CommandCount] = {
    &TForm1::PreviewBtn, &TForm1::PrintBtn, &TForm1::PrintAnsBtn, &TForm1::btnSetPrn, &TForm1::QuitBtn,
};
constexpr QCheckBox* TForm1::*DanMembers[DanCount] = {
    &TForm1::D0, &TForm1::D1, &TForm1::D2, &TForm1::D3, &TForm1::D4,
    &TForm1::D5, &TForm1::D6, &TForm1::D7, &TForm1::D8, &TForm1::D9,
};

// The style's usual gap between box and caption would cut the last stroke of
// "段" at the dan boxes' 65 pixels; a narrower gap keeps it whole. (A style
// sheet would do the same, but loads the whole style-sheet machinery.)
class DanBoxStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_CheckBoxLabelSpacing)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QPushButton* MakeButton(const CommandInfo& info, QWidget* parent)
{
    const QString caption = Text(info.caption);
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(Text(info.name));
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setFont(FontFor(ControlFont::Button));
    button->setGeometry(RectOf(info.bounds));
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(const LabelInfo& info, QWidget* parent)
{
    auto* label = new QLabel(Text(info.caption), parent);
    label->setObjectName(Text(info.name));
    label->setAccessibleName(label->text());
    label->setFont(FontFor(info.font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(RectOf(info.bounds));
    return label;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    InitWindowResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Text(WindowCaption));
    setFont(FontFor(ControlFont::Window));
    // The captions read left to right at fixed places, also where the
    // desktop's language, and with it the toolkit's, runs right to left.
    setLayoutDirection(Qt::LeftToRight);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    resize(OuterSize);

    CreateLabels();
    CreateDanBoxes();
    CreateRadioGroups();
    CreatePreviewArea();
    CreateButtons();
    SetTabOrder();
    FormCreate();
    ShowControls();
    ConnectRules();
}

void TForm1::CreateLabels()
{
    Label2 = MakeLabel(CreditLabel, this);
    QPalette blue = Label2->palette();
    blue.setColor(QPalette::WindowText, QColor::fromRgb(CreditColor));
    Label2->setPalette(blue);

    Label3 = MakeLabel(PrintNumberLabel, this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(Text(Edit1Name));
    Edit1->setAccessibleName(Label3->text());
    Edit1->setFont(FontFor(ControlFont::Option));
    Edit1->setGeometry(RectOf(Edit1Bounds));
    Label3->setBuddy(Edit1);
}

void TForm1::CreateDanBoxes()
{
    GroupBox1 = new QGroupBox(Text(DanGroup.caption), this);
    GroupBox1->setObjectName(Text(DanGroup.name));
    GroupBox1->setAccessibleName(GroupBox1->title());
    GroupBox1->setFont(FontFor(DanGroup.font));
    GroupBox1->setGeometry(RectOf(DanGroup.bounds));

    for (int32_t dan = 0; dan < DanCount; ++dan) {
        const QString caption = Text(DanCaptions[static_cast<size_t>(dan)]);
        auto* box = new QCheckBox(caption, GroupBox1);
        box->setObjectName(QStringLiteral("D%1").arg(dan));
        box->setAccessibleName(caption);
        box->setGeometry(RectOf(DanBoxBounds(dan)));
        this->*DanMembers[dan] = box;
    }
    // Made after the boxes, so that it outlives them.
    auto* narrow = new DanBoxStyle;
    narrow->setParent(GroupBox1);
    for (QCheckBox* TForm1::*box : DanMembers)
        (this->*box)->setStyle(narrow);
}

void TForm1::CreateRadioGroups()
{
    for (const RadioGroupInfo& info : RadioGroups) {
        QStringList items;
        for (const std::string_view item : info.items)
            items.append(Text(item));
        auto* group = new RadioGroup(Text(info.name), Text(info.caption), items, info.columns,
                                     RectOf(info.bounds), this);
        group->setFont(FontFor(info.font));
        this->*GroupMembers[static_cast<size_t>(info.group)] = group;
    }
}

void TForm1::CreatePreviewArea()
{
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(Text(PreviewFrameName));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(RectOf(PreviewFrameBounds));

    PaintBox1 = new PreviewArea(this);  // created after the bevel, so drawn over it
    PaintBox1->move(PreviewBounds.left, PreviewBounds.top);
    PaintBox1->SetPaintHandler([this](QPainter& painter) { PaintBox1Paint(painter); });
}

void TForm1::CreateButtons()
{
    const QIcon printer = PrinterIcon();
    for (const CommandInfo& info : Commands) {
        QPushButton* button = MakeButton(info, this);
        if (info.printerPicture) {
            button->setIcon(printer);
            button->setIconSize({16, 16});
        }
        this->*CommandMembers[static_cast<size_t>(info.command)] = button;
    }
    QuitBtn->setIcon(CloseIcon());

    // Above the preview, where nothing else stands; shown only while a print
    // command waits.
    PrintStatus = MakeLabel({"PrintStatus", print_message::Waiting, {352, 26, 337, 18}, ControlFont::Window}, this);
    PrintStatus->hide();
}

// Keyboard order through the window; a group's items follow one another in
// item order, the dan boxes in dan order.
void TForm1::SetTabOrder()
{
    std::vector<QWidget*> chain;
    for (const std::string_view name : TabOrder) {
        auto* control = findChild<QWidget*>(Text(name));
        if (auto* group = qobject_cast<RadioGroup*>(control)) {
            for (int index = 0; index < group->Count(); ++index)
                chain.push_back(group->Item(index));
        } else if (control == GroupBox1) {
            for (QCheckBox* TForm1::*box : DanMembers)
                chain.push_back(this->*box);
        } else {
            chain.push_back(control);
        }
    }
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::ConnectRules()
{
    constexpr void (TForm1::*DanHandlers[DanCount])() = {
        &TForm1::D0Click, &TForm1::D1Click, &TForm1::D2Click, &TForm1::D3Click, &TForm1::D4Click,
        &TForm1::D5Click, &TForm1::D6Click, &TForm1::D7Click, &TForm1::D8Click, &TForm1::D9Click,
    };
    for (int32_t dan = 0; dan < DanCount; ++dan)
        connect(DanBoxes[static_cast<size_t>(dan)], &QCheckBox::toggled, this, DanHandlers[dan]);
    connect(ImportantDan, &RadioGroup::Clicked, this, &TForm1::ImportantDanClick);
    connect(QNumCheck, &RadioGroup::Clicked, this, &TForm1::QNumCheckClick);
    connect(MGroup, &RadioGroup::Entered, this, &TForm1::MGroupEnter);
    connect(rgSquare, &RadioGroup::Entered, this, &TForm1::rgSquareEnter);
    // Every group tells its selection, whoever changed it; the click rules
    // run in the handlers above.
    for (const RadioGroupInfo& info : RadioGroups) {
        RadioGroup* group = this->*GroupMembers[static_cast<size_t>(info.group)];
        connect(group, &RadioGroup::SelectionChanged, this,
                [this, group, which = info.group] { controls_.SetItemIndex(which, group->ItemIndex()); });
    }
    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString& text) { controls_.SetEdit1(text.toStdString()); });

    connect(PreviewBtn, &QPushButton::clicked, this, [this] { PreviewBtnClick(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(PrintAnsBtn, &QPushButton::clicked, this, [this] { PrintAnsBtnClick(); });
    connect(btnSetPrn, &QPushButton::clicked, this, [this] { btnSetPrnClick(); });
    connect(QuitBtn, &QPushButton::clicked, this, &QWidget::close);
}

void TForm1::FormCreate()
{
    for (int32_t dan = 0; dan < DanCount; ++dan)
        DanBoxes[static_cast<size_t>(dan)] = this->*DanMembers[dan];
    run_.Random.SeedFromClock();
    run_.PreviewShown = 0;
    run_.PrintNumber = 1;
}

// Shows the control model's state on the widgets. A widget set to the state
// it shows already changes nothing; one that changes reports it back, and the
// model, which holds that state already, runs no rule for it.
void TForm1::ShowControls()
{
    for (int32_t dan = 0; dan < DanCount; ++dan) {
        QCheckBox* box = DanBoxes[static_cast<size_t>(dan)];
        box->setEnabled(controls_.DanEnabled(dan));
        box->setChecked(controls_.DanChecked(dan));
    }
    for (const RadioGroupInfo& info : RadioGroups) {
        RadioGroup* group = this->*GroupMembers[static_cast<size_t>(info.group)];
        if (group->ItemIndex() != controls_.ItemIndex(info.group))
            group->SetItemIndex(controls_.ItemIndex(info.group));
        group->setEnabled(controls_.GroupEnabled(info.group));
    }
    for (const CommandInfo& info : Commands)
        (this->*CommandMembers[static_cast<size_t>(info.command)])->setEnabled(controls_.CommandEnabled(info.command));
    const QString text = QString::fromStdString(controls_.Edit1());
    if (Edit1->text() != text)
        Edit1->setText(text);
}

SheetOptions TForm1::Snapshot() const
{
    return controls_.Snapshot();
}

void TForm1::EnablePrintCommands()
{
    controls_.PreviewSucceeded();
    ShowControls();
}

int32_t TForm1::DanOf(const QCheckBox* box) const
{
    return static_cast<int32_t>(std::find(DanBoxes.begin(), DanBoxes.end(), box) - DanBoxes.begin());
}

void TForm1::DanClick(QCheckBox* box)
{
    controls_.SetDanBox(DanOf(box), box->isChecked());
    ShowControls();
}

void TForm1::CheckBoxClick(QCheckBox* box)
{
    controls_.CheckBoxClick(DanOf(box));
    ShowControls();
}

void TForm1::ImportantDanClick()
{
    controls_.ImportantDanClick();
    ShowControls();
}

void TForm1::QNumCheckClick()
{
    controls_.QNumCheckClick();
    ShowControls();
}

void TForm1::MGroupEnter()
{
    controls_.Enter(Group::MGroup);
    ShowControls();
}

void TForm1::rgSquareEnter()
{
    controls_.Enter(Group::rgSquare);
    ShowControls();
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (outerSizeFitted_)
        return;
    outerSizeFitted_ = true;
    // The native window exists but is not mapped yet. Where the frame can be
    // known now, the window is mapped at its final size and place; elsewhere
    // it is fitted once shown.
    if (const std::optional<QMargins> frame = FrameMarginsBeforeShow(*this)) {
        FitOuterSize(*frame);
        return;
    }
    QMetaObject::invokeMethod(this, [this] {
        const QRect client = geometry();
        const QRect outer = frameGeometry();
        FitOuterSize({client.left() - outer.left(), client.top() - outer.top(),
                      outer.right() - client.right(), outer.bottom() - client.bottom()});
    }, Qt::QueuedConnection);
}

// The client area takes what the frame leaves of the outer size, and the
// whole sits centred.
void TForm1::FitOuterSize(const QMargins& frame)
{
    QRect outer(QPoint(), OuterSize);
    if (const QScreen* shown = screen())
        outer.moveCenter(shown->availableGeometry().center());
    setGeometry(outer - frame);
}

}  // namespace zentavo
