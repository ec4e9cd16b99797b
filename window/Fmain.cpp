#include "window/Fmain.h"

#include "window/FontMapping.h"
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
#include <vector>

// The window's pictures live in a static library, whose resources must be
// registered by hand (outside any namespace).
static void InitWindowResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace zentavo {
namespace {

constexpr QSize OuterSize{705, 618};

enum class ControlFont { Option, Button, Window, Credit };

QFont FontFor(ControlFont kind)
{
    struct FontStyle {
        const QString& face;
        int pixels;
        bool bold;
    };
    static const FontStyle styles[] = {
        {MinchoFaceName, 16, false},  // option font
        {MinchoFaceName, 19, false},  // button font
        {SystemFaceName, 13, false},  // window font
        {GothicFaceName, 16, true},   // credit font
    };
    const FontStyle& style = styles[static_cast<int>(kind)];
    QFont font = MappedFont(style.face);
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

struct GroupLayout {
    RadioGroup* TForm1::*member;
    QString name;
    QString caption;
    QStringList items;
    int columns;
    QRect bounds;
    ControlFont font;
};

const std::vector<GroupLayout>& RadioGroupTable()
{
    static const std::vector<GroupLayout> table = {
        {&TForm1::ImportantDan, "ImportantDan", "重点的にしたい段",
         {"意味ﾅｼ", "１の段", "２の段", "３の段", "４の段", "５の段", "６の段", "７の段", "８の段",
          "９の段"},
         2, {8, 160, 201, 113}, ControlFont::Option},
        {&TForm1::JousuuCheck, "JousuuCheck", "被除数に０を", {"入れない", "入れる"}, 2,
         {8, 280, 193, 41}, ControlFont::Option},
        {&TForm1::MGroup, "MGroup", "何十、何百の指定", {"なし", "×10", "×100"}, 3,
         {8, 320, 193, 41}, ControlFont::Window},
        {&TForm1::rgSquare, "rgSquare", "[ ]のパターン", {"なし", "[ ]÷", "÷[ ]", "混合"}, 2,
         {8, 360, 193, 57}, ControlFont::Window},
        {&TForm1::Amari, "Amari", "２桁の割り算(特別モード)",
         {"ﾓｰﾄﾞなし", "余りなし", "余り(九九1回適用で繰り下がりなし)",
          "余り(九九1回適用で繰り下がりあり）", "混合(九九1回適用)", "余り(繰り下がりなし)",
          "余り(繰り下がりあり)", "混合(全て)"},
         1, {8, 424, 329, 153}, ControlFont::Window},
        {&TForm1::QNumCheck, "QNumCheck", "問題数",
         {"　９問", "１０問", "１８問", "２０問", "２７問", "３０問", "３６問", "４０問", "５４問",
          "６０問", "７２問", "８０問", "３６問２列", "４０問２列"},
         1, {216, 32, 121, 249}, ControlFont::Option},
        {&TForm1::RandomCheck, "RandomCheck", "ﾗﾝﾀﾞﾑ指定", {"なし", "あり"}, 2,
         {216, 284, 129, 37}, ControlFont::Option},
        {&TForm1::rgNum, "rgNum", "問題番号", {"なし", "あり"}, 2, {216, 328, 129, 41},
         ControlFont::Window},
    };
    return table;
}

// Starting selection of each group; ImportantDan starts with none.
struct StartSelection {
    RadioGroup* TForm1::*member;
    int index;
};
constexpr StartSelection StartSelections[] = {
    {&TForm1::ImportantDan, -1}, {&TForm1::JousuuCheck, 0}, {&TForm1::MGroup, 0},
    {&TForm1::rgSquare, 0},      {&TForm1::Amari, 0},       {&TForm1::QNumCheck, 1},
    {&TForm1::RandomCheck, 0},   {&TForm1::rgNum, 0},
};

constexpr QCheckBox* TForm1::*DanMembers[10] = {
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

QPushButton* MakeButton(const QString& name, const QString& caption, const QRect& bounds,
                        QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setFont(FontFor(ControlFont::Button));
    button->setGeometry(bounds);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(const QString& name, const QString& caption, const QRect& bounds,
                  ControlFont font, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAccessibleName(caption);
    label->setFont(FontFor(font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(bounds);
    return label;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    InitWindowResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zentavo Ver.1.52"));
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
    ConnectRules();
}

void TForm1::CreateLabels()
{
    Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("Zentavo — わりざん九九プリント"),
                       {8, 4, 297, 16}, ControlFont::Credit, this);
    QPalette blue = Label2->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label2->setPalette(blue);

    Label3 = MakeLabel(QStringLiteral("Label3"), QStringLiteral("ﾌﾟﾘﾝﾄ番号"), {224, 384, 72, 16},
                       ControlFont::Option, this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(Label3->text());
    Edit1->setFont(FontFor(ControlFont::Option));
    Edit1->setText(QStringLiteral("1"));
    Edit1->setGeometry(304, 380, 33, 24);
    Label3->setBuddy(Edit1);
}

void TForm1::CreateDanBoxes()
{
    GroupBox1 = new QGroupBox(QStringLiteral("段"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(GroupBox1->title());
    GroupBox1->setFont(FontFor(ControlFont::Option));
    GroupBox1->setGeometry(8, 32, 201, 125);

    static const QString captions[10] = {"０の段", "１の段", "２の段", "３の段", "４の段",
                                         "５の段", "６の段", "７の段", "８の段", "９の段"};
    for (int dan = 0; dan < 10; ++dan) {
        auto* box = new QCheckBox(captions[dan], GroupBox1);
        box->setObjectName(QStringLiteral("D%1").arg(dan));
        box->setAccessibleName(captions[dan]);
        box->setGeometry(dan < 5 ? 8 : 104, 20 + (dan % 5) * 20, 65, 17);
        this->*DanMembers[dan] = box;
    }
    D0->setEnabled(false);  // dan 0 is never drilled
    // Made after the boxes, so that it outlives them.
    auto* narrow = new DanBoxStyle;
    narrow->setParent(GroupBox1);
    for (QCheckBox* TForm1::*box : DanMembers)
        (this->*box)->setStyle(narrow);
}

void TForm1::CreateRadioGroups()
{
    for (const GroupLayout& layout : RadioGroupTable()) {
        auto* group = new RadioGroup(layout.name, layout.caption, layout.items, layout.columns,
                                     layout.bounds, this);
        group->setFont(FontFor(layout.font));
        this->*layout.member = group;
    }
    for (const StartSelection& start : StartSelections)
        (this->*start.member)->SetItemIndex(start.index);
    QNumCheck->setEnabled(false);  // until a dan box is checked
}

void TForm1::CreatePreviewArea()
{
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(352, 48, 337, 457);

    PaintBox1 = new PreviewArea(this);  // created after the bevel, so drawn over it
    PaintBox1->move(360, 56);
    PaintBox1->SetPaintHandler([this](QPainter& painter) { PaintBox1Paint(painter); });
}

void TForm1::CreateButtons()
{
    const QIcon printer = PrinterIcon();
    PreviewBtn = MakeButton(QStringLiteral("PreviewBtn"), QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"),
                            {352, 520, 105, 25}, this);
    PrintBtn = MakeButton(QStringLiteral("PrintBtn"), QStringLiteral("印刷"), {352, 552, 105, 25},
                          this);
    PrintAnsBtn = MakeButton(QStringLiteral("PrintAnsBtn"), QStringLiteral("印刷(答有)"),
                             {464, 520, 121, 25}, this);
    btnSetPrn = MakeButton(QStringLiteral("btnSetPrn"), QStringLiteral("印刷の設定"),
                           {464, 552, 121, 25}, this);
    QuitBtn = MakeButton(QStringLiteral("QuitBtn"), QStringLiteral("終了(&C)"), {592, 520, 97, 57},
                         this);
    for (QPushButton* button : {PrintBtn, PrintAnsBtn}) {
        button->setIcon(printer);
        button->setIconSize({16, 16});
    }
    QuitBtn->setIcon(CloseIcon());
    for (QPushButton* button : {PreviewBtn, PrintBtn, PrintAnsBtn})
        button->setEnabled(false);

    // Above the preview, where nothing else stands; shown only while a print
    // command waits.
    PrintStatus = MakeLabel(QStringLiteral("PrintStatus"), QStringLiteral("印刷中… プリンタの応答を待っています"),
                            {352, 26, 337, 18}, ControlFont::Window, this);
    PrintStatus->hide();
}

// Keyboard order through the window; a group's items follow one another in
// item order, the dan boxes in dan order.
void TForm1::SetTabOrder()
{
    const std::vector<QWidget*> controls = {
        ImportantDan, JousuuCheck, QNumCheck, RandomCheck, PreviewBtn,  QuitBtn, PrintBtn, GroupBox1,
        Edit1,        btnSetPrn,   MGroup,    Amari,       PrintAnsBtn, rgNum,   rgSquare,
    };
    std::vector<QWidget*> chain;
    for (QWidget* control : controls) {
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
    for (QCheckBox* box : DanBoxes)
        connect(box, &QCheckBox::toggled, this, [this, box] { DanClick(box); });
    connect(ImportantDan, &RadioGroup::Clicked, this, &TForm1::ImportantDanClick);
    connect(QNumCheck, &RadioGroup::Clicked, this, &TForm1::QNumCheckClick);
    connect(MGroup, &RadioGroup::Entered, this, &TForm1::MGroupEnter);
    connect(rgSquare, &RadioGroup::Entered, this, &TForm1::rgSquareEnter);

    connect(PreviewBtn, &QPushButton::clicked, this, [this] { PreviewBtnClick(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(PrintAnsBtn, &QPushButton::clicked, this, [this] { PrintAnsBtnClick(); });
    connect(btnSetPrn, &QPushButton::clicked, this, [this] { btnSetPrnClick(); });
    connect(QuitBtn, &QPushButton::clicked, this, &QWidget::close);
}

void TForm1::FormCreate()
{
    for (int dan = 0; dan < 10; ++dan)
        DanBoxes[dan] = this->*DanMembers[dan];
    run_.Random.SeedFromClock();
    run_.PreviewShown = 0;
    run_.PrintNumber = 1;
}

SheetOptions TForm1::Snapshot() const
{
    SheetOptions options;
    options.DanMask = run_.DanMask;
    options.ImportantDan = ImportantDan->ItemIndex();
    options.JousuuCheck = JousuuCheck->ItemIndex();
    options.QNumCheck = QNumCheck->ItemIndex();
    options.RandomCheck = RandomCheck->ItemIndex();
    options.MGroup = MGroup->ItemIndex();
    options.Amari = Amari->ItemIndex();
    options.rgNum = rgNum->ItemIndex();
    options.rgSquare = rgSquare->ItemIndex();
    return options;
}

void TForm1::EnablePrintCommands()
{
    PrintBtn->setEnabled(true);
    PrintAnsBtn->setEnabled(true);
}

int TForm1::DanOf(const QCheckBox* box) const
{
    return static_cast<int>(std::find(DanBoxes.begin(), DanBoxes.end(), box) - DanBoxes.begin());
}

// Keeps DanMask equal to the checked boxes, drops an emphasis on a dan that
// is no longer drilled, and allows counting and previewing while any dan is.
void TForm1::DanClick(QCheckBox* box)
{
    const int dan = DanOf(box);
    if (box->isChecked()) {
        run_.DanMask |= 1 << dan;
    } else {
        const int emphasised = ImportantDan->ItemIndex();
        if (emphasised >= 0 && emphasised <= 9 && DanBoxes[emphasised] == box)
            ImportantDan->SetItemIndex(-1);
        run_.DanMask &= ~(1 << dan);
    }
    const bool anyChecked =
        std::any_of(DanBoxes.begin(), DanBoxes.end(), [](QCheckBox* b) { return b->isChecked(); });
    QNumCheck->setEnabled(anyChecked);
    PreviewBtn->setEnabled(anyChecked);
}

void TForm1::CheckBoxClick(QCheckBox* box)
{
    box->setChecked(true);  // runs the dan rule when the state changes
}

void TForm1::ImportantDanClick()
{
    const int dan = ImportantDan->ItemIndex();
    if (dan >= 1 && dan <= 9)
        CheckBoxClick(DanBoxes[dan]);
}

// Zero may be a dividend only with ten problems per dan: the odd items.
void TForm1::QNumCheckClick()
{
    if (QNumCheck->ItemIndex() % 2 != 0) {
        JousuuCheck->setEnabled(true);
    } else {
        JousuuCheck->SetItemIndex(0);
        JousuuCheck->setEnabled(false);
    }
}

// A multiplied dividend and a blank box exclude each other.
void TForm1::MGroupEnter()
{
    rgSquare->SetItemIndex(0);
}

void TForm1::rgSquareEnter()
{
    MGroup->SetItemIndex(0);
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
