#include "app/frm_Main.h"

#include "app/alignlayout.h"
#include "app/artwork.h"
#include "app/clicklabel.h"
#include "app/messagebox.h"
#include "app/product.h"
#include "app/startup.h"
#include "lang/uistrings.h"
#include "panes/paneedit.h"
#include "panes/panes.h"
#include "settings/inifile.h"
#include "settings/settings.h"
#include "translate/httpclient.h"
#include "translate/parse.h"
#include "translate/proxy.h"
#include "translate/translatejob.h"

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPushButton>
#include <QResource>
#include <QSessionManager>
#include <QShortcut>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <algorithm>
#include <exception>
#include <functional>
#include <stdexcept>

namespace {

using TAlign = TAlignLayout::TAlign;

constexpr int TopHeight = 60;
constexpr int RuleHeight = 2;
constexpr int HalfHeaderHeight = 41;
constexpr int BottomHeight = 41;
constexpr int BarHeight = 22;
constexpr int DesignFromHeight = 185;

QSize DesignClientSize()
{
    return TfrmMain::DesignOuterSize - TfrmMain::FrameAllowance;
}

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QWidget* MakePanel(QWidget* parent, const char* name, QSize designSize)
{
    auto* panel = Named(new QWidget(parent), name);
    new TAlignLayout(panel, designSize);
    return panel;
}

TAlignLayout* LayoutOf(QWidget* panel)
{
    return static_cast<TAlignLayout*>(panel->layout());
}

QLabel* MakeBoldLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = Named(new QLabel(caption, parent), name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QString& art)
{
    auto* action = Named(menu->addAction(caption), name);
    if (!art.isEmpty())
        action->setIcon(ArtIcon(art));
    return action;
}

QAction* AddSeparator(QMenu* menu, const char* name)
{
    return Named(menu->addSeparator(), name);
}

} // namespace

TfrmMain::TfrmMain(std::unique_ptr<IHttpClient> http) : FHttp(std::move(http))
{
    if (!FHttp)
        FHttp = std::make_unique<THttpClient>();
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlags(Qt::Window);
    BuildMenus();
    BuildControls();
    resize(DesignClientSize());
    setMinimumSize(MinOuterSize - FrameAllowance);
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    EndRunningJob();
    SetPaneFontHook(nullptr);
}

void TfrmMain::EndRunningJob()
{
    if (!FJob)
        return;
    FHttp->Abort();
    FJob->wait();
    // Its deleteLater may never run once the event loop has stopped.
    delete FJob.data();
}

void TfrmMain::BuildControls()
{
    const QSize client = DesignClientSize();
    FClientLayout = new TAlignLayout(this, client);
    const int width = client.width();
    const int toHeight =
        client.height() - TopHeight - RuleHeight - DesignFromHeight - BottomHeight - BarHeight;

    // Banner strip.
    pnlTop = MakePanel(this, "pnlTop", {width, TopHeight});
    TntImage1 = Named(new QLabel(pnlTop), "TntImage1");
    TntImage1->setPixmap(ArtPixmap(QStringLiteral("banner"), {260, 60}, devicePixelRatio()));
    LayoutOf(pnlTop)->AddPlaced(TntImage1, {0, 0, 260, 60});
    imgHelp = Named(new TClickLabel(pnlTop), "imgHelp");
    imgHelp->setPixmap(ArtPixmap(QStringLiteral("help"), {16, 16}, devicePixelRatio()));
    LayoutOf(pnlTop)->AddPlaced(imgHelp, {653, 23, 16, 16}, TAlignLayout::akTop | TAlignLayout::akRight);
    labHelp = Named(new TClickLabel(pnlTop), "labHelp");
    labHelp->setText(QStringLiteral("Help"));
    labHelp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LayoutOf(pnlTop)->AddPlaced(labHelp, {672, 23, 24, 14}, TAlignLayout::akTop | TAlignLayout::akRight);

    TntBevel1 = Named(new QFrame(this), "TntBevel1");
    TntBevel1->setFrameShape(QFrame::HLine);
    TntBevel1->setFrameShadow(QFrame::Sunken);

    // Source half.
    pnlFrom = MakePanel(this, "pnlFrom", {width, DesignFromHeight});
    Panel6 = MakePanel(pnlFrom, "Panel6", {width, HalfHeaderHeight});
    labFrom = MakeBoldLabel(Panel6, "labFrom", QStringLiteral("Translate from :"));
    LayoutOf(Panel6)->AddPlaced(labFrom, {15, 12, 97, 14});
    cmbFromLang = Named(new QComboBox(Panel6), "cmbFromLang");
    LayoutOf(Panel6)->AddPlaced(cmbFromLang, {121, 9, 192, 22});
    pnl5 = MakePanel(Panel6, "pnl5", {23, HalfHeaderHeight});
    pnl2 = MakePanel(Panel6, "pnl2", {160, HalfHeaderHeight});
    LayoutOf(Panel6)->AddAligned(pnl5, TAlign::Right, 23);
    LayoutOf(Panel6)->AddAligned(pnl2, TAlign::Right, 160);
    btnOpen =
        AddToolButton(pnl2, "btnOpen", {14, 8}, QStringLiteral("Open"), QStringLiteral("open"), SourcePane);
    btnClear = AddToolButton(pnl2, "btnClear", {43, 8}, QStringLiteral("Clear"), QStringLiteral("clear"),
                             SourcePane);
    btnSave =
        AddToolButton(pnl2, "btnSave", {73, 8}, QStringLiteral("Save"), QStringLiteral("save"), SourcePane);
    btnCopy = AddToolButton(pnl2, "btnCopy", {103, 8}, QStringLiteral("Copy To Clipboard"),
                            QStringLiteral("copy"), SourcePane);
    btnPaste = AddToolButton(pnl2, "btnPaste", {133, 8}, QStringLiteral("Paste From Clipboard"),
                             QStringLiteral("paste"), SourcePane);

    E1 = Named(new TPaneEdit(SourcePane, false, pnlFrom), "E1");
    Panel1 = MakePanel(pnlFrom, "Panel1", {5, DesignFromHeight - HalfHeaderHeight});
    pnl3 = MakePanel(pnlFrom, "pnl3", {5, DesignFromHeight - HalfHeaderHeight});
    LayoutOf(pnlFrom)->AddAligned(Panel6, TAlign::Top, HalfHeaderHeight);
    LayoutOf(pnlFrom)->AddAligned(Panel1, TAlign::Right, 5);
    LayoutOf(pnlFrom)->AddAligned(pnl3, TAlign::Left, 5);
    LayoutOf(pnlFrom)->AddAligned(E1, TAlign::Fill, 0);

    // Result half.
    pnlTo = MakePanel(this, "pnlTo", {width, toHeight});
    Panel5 = MakePanel(pnlTo, "Panel5", {width, HalfHeaderHeight});
    labTo = MakeBoldLabel(Panel5, "labTo", QStringLiteral("Translate into :"));
    LayoutOf(Panel5)->AddPlaced(labTo, {15, 13, 93, 14});
    cmbToLang = Named(new QComboBox(Panel5), "cmbToLang");
    LayoutOf(Panel5)->AddPlaced(cmbToLang, {121, 9, 192, 22});
    btnSwap = Named(new QToolButton(Panel5), "btnSwap");
    btnSwap->setAutoRaise(true);
    btnSwap->setFocusPolicy(Qt::NoFocus);
    btnSwap->setToolTip(QStringLiteral("Swap"));
    btnSwap->setIcon(ArtIcon(QStringLiteral("swap")));
    btnSwap->setIconSize({32, 32});
    LayoutOf(Panel5)->AddPlaced(btnSwap, {320, 3, 33, 33}, TAlignLayout::akLeft | TAlignLayout::akBottom);
    ImgLoad = Named(new QLabel(Panel5), "ImgLoad");
    ImgLoad->setAlignment(Qt::AlignCenter);
    LayoutOf(Panel5)->AddPlaced(ImgLoad, {365, 14, 16, 13});
    Panel9 = MakePanel(Panel5, "Panel9", {23, HalfHeaderHeight});
    pnl1 = MakePanel(Panel5, "pnl1", {160, HalfHeaderHeight});
    LayoutOf(Panel5)->AddAligned(Panel9, TAlign::Right, 23);
    LayoutOf(Panel5)->AddAligned(pnl1, TAlign::Right, 160);
    btnClear2 = AddToolButton(pnl1, "btnClear2", {14, 9}, QStringLiteral("Clear"), QStringLiteral("clear"),
                              ResultPane);
    btnSave2 =
        AddToolButton(pnl1, "btnSave2", {43, 9}, QStringLiteral("Save"), QStringLiteral("save"), ResultPane);
    btnCopy2 = AddToolButton(pnl1, "btnCopy2", {73, 9}, QStringLiteral("Copy To Clipboard"),
                             QStringLiteral("copy"), ResultPane);
    btnPaste2 = AddToolButton(pnl1, "btnPaste2", {103, 9}, QStringLiteral("Paste From Clipboard"),
                              QStringLiteral("paste"), ResultPane);
    btnPrint = AddToolButton(pnl1, "btnPrint", {133, 9}, QStringLiteral("Print"), QStringLiteral("print"),
                             ResultPane);

    Panel2 = MakePanel(pnlTo, "Panel2", {5, toHeight - HalfHeaderHeight});
    E2 = Named(new TPaneEdit(ResultPane, true, pnlTo), "E2");
    pnl4 = MakePanel(pnlTo, "pnl4", {5, toHeight - HalfHeaderHeight});
    LayoutOf(pnlTo)->AddAligned(Panel5, TAlign::Top, HalfHeaderHeight);
    LayoutOf(pnlTo)->AddAligned(Panel2, TAlign::Left, 5);
    LayoutOf(pnlTo)->AddAligned(pnl4, TAlign::Right, 5);
    LayoutOf(pnlTo)->AddAligned(E2, TAlign::Fill, 0);

    // Translate strip and status bar.
    pnlBottom = MakePanel(this, "pnlBottom", {width, BottomHeight});
    btnTrans = Named(new QPushButton(QStringLiteral("Translate"), pnlBottom), "btnTrans");
    btnTrans->setIcon(ArtIcon(QStringLiteral("globe")));
    btnTrans->setIconSize({16, 16});
    LayoutOf(pnlBottom)->AddPlaced(btnTrans, {574, 10, 130, 25}, TAlignLayout::akTop | TAlignLayout::akRight);

    Bar = Named(new QStatusBar(this), "Bar");
    BarPanel0 = Named(new QLabel(Bar), "BarPanel0");
    Bar->addWidget(BarPanel0, 1);

    FClientLayout->AddAligned(pnlTop, TAlign::Top, TopHeight);
    FClientLayout->AddAligned(TntBevel1, TAlign::Top, RuleHeight);
    FClientLayout->AddAligned(pnlFrom, TAlign::Top, DesignFromHeight);
    FClientLayout->AddAligned(Bar, TAlign::Bottom, BarHeight);
    FClientLayout->AddAligned(pnlBottom, TAlign::Bottom, BottomHeight);
    FClientLayout->AddAligned(pnlTo, TAlign::Fill, 0);

    for (TPaneEdit* pane : {E1, E2}) {
        connect(pane, &QWidget::customContextMenuRequested, this,
                [this, pane](const QPoint& pos) { E1ContextPopup(pane, pos); });
    }
    connect(imgHelp, &TClickLabel::Clicked, this, [this] { labHelpClick(imgHelp); });
    connect(labHelp, &TClickLabel::Clicked, this, [this] { labHelpClick(labHelp); });
    connect(btnTrans, &QPushButton::clicked, this, &TfrmMain::btnTransClick);
    connect(btnSwap, &QToolButton::clicked, this, &TfrmMain::btnSwapClick);
    connect(btnOpen, &QToolButton::clicked, this, &TfrmMain::btnOpenClick);
    connect(btnPrint, &QToolButton::clicked, this, &TfrmMain::btnPrintClick);
    for (QToolButton* button : {btnClear, btnClear2})
        connect(button, &QToolButton::clicked, this, [this, button] { btnClearClick(button); });
    for (QToolButton* button : {btnSave, btnSave2})
        connect(button, &QToolButton::clicked, this, &TfrmMain::btnSaveClick);
    for (QToolButton* button : {btnCopy, btnCopy2})
        connect(button, &QToolButton::clicked, this, [this, button] { btnCopyClick(button); });
    for (QToolButton* button : {btnPaste, btnPaste2})
        connect(button, &QToolButton::clicked, this, [this, button] { btnPasteClick(button); });

    setTabOrder(btnTrans, cmbFromLang);
    setTabOrder(cmbFromLang, E1);
    setTabOrder(E1, cmbToLang);
    setTabOrder(cmbToLang, E2);
}

QToolButton* TfrmMain::AddToolButton(QWidget* row, const char* name, QPoint pos, const QString& hint,
                                     const QString& art, int tag)
{
    auto* button = Named(new QToolButton(row), name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    button->setIcon(ArtIcon(art));
    button->setIconSize({16, 16});
    button->setProperty("Tag", tag);
    LayoutOf(row)->AddPlaced(button, {pos, QSize(25, 25)}, TAlignLayout::akTop | TAlignLayout::akRight);
    return button;
}

void TfrmMain::BuildMenus()
{
    pmHelp = Named(new QMenu(this), "pmHelp");
    miOpen = AddMenuItem(pmHelp, "miOpen", QStringLiteral("Open"), QStringLiteral("book"));
    N5 = AddSeparator(pmHelp, "N5");
    miOptions = AddMenuItem(pmHelp, "miOptions", QStringLiteral("Options"), QStringLiteral("gear"));
    N3 = AddSeparator(pmHelp, "N3");
    miWebSite = AddMenuItem(pmHelp, "miWebSite", QStringLiteral("Visit Home"), QStringLiteral("website"));
    miContactUs = AddMenuItem(pmHelp, "miContactUs", QStringLiteral("Contact Us"), QStringLiteral("mail"));
    N1 = AddSeparator(pmHelp, "N1");
    miAbout = AddMenuItem(pmHelp, "miAbout", QStringLiteral("About"), QStringLiteral("about"));
    N4 = AddSeparator(pmHelp, "N4");
    miClose = AddMenuItem(pmHelp, "miClose", QStringLiteral("Close"), QStringLiteral("exit"));
    connect(miOpen, &QAction::triggered, this, &TfrmMain::miOpenClick);
    connect(miOptions, &QAction::triggered, this, &TfrmMain::miOptionsClick);
    connect(miWebSite, &QAction::triggered, this, &TfrmMain::miWebSiteClick);
    connect(miContactUs, &QAction::triggered, this, &TfrmMain::miContactUsClick);
    connect(miAbout, &QAction::triggered, this, &TfrmMain::miAboutClick);
    connect(miClose, &QAction::triggered, this, &TfrmMain::miCloseClick);

    pmTrans = Named(new QMenu(this), "pmTrans");
    pmTrans->setProperty("Tag", SourcePane);
    Cut1 = AddMenuItem(pmTrans, "Cut1", QStringLiteral("Cut"), QStringLiteral("cut"));
    Copy1 = AddMenuItem(pmTrans, "Copy1", QStringLiteral("Copy"), QStringLiteral("copy"));
    Paste1 = AddMenuItem(pmTrans, "Paste1", QStringLiteral("Paste"), QStringLiteral("paste"));
    N6 = AddSeparator(pmTrans, "N6");
    Clear1 = AddMenuItem(pmTrans, "Clear1", QStringLiteral("Clear"), QStringLiteral("clear"));
    connect(Cut1, &QAction::triggered, this, &TfrmMain::Cut1Click);
    connect(Copy1, &QAction::triggered, this, &TfrmMain::Copy1Click);
    connect(Paste1, &QAction::triggered, this, &TfrmMain::Paste1Click);
    connect(Clear1, &QAction::triggered, this, &TfrmMain::Clear1Click);
}

void TfrmMain::FormCreate()
{
    CloseToTray = true;
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            FormActivate();
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { SessionEnding(); });
    QGuiApplication::setApplicationDisplayName(ProductName);
    setWindowTitle(ProductName);
    setWindowIcon(ArtIcon(QStringLiteral("globe")));
    BarPanel0->setText(CopyrightLine);
    Settings.IniPath = DefaultIniPath();
    Settings.ServiceBaseUrl = DefaultServiceBaseUrl();
    SetPaneFontHook([this](std::int32_t fontSize) {
        SetPaneFont(*E1, fontSize);
        SetPaneFont(*E2, fontSize);
    });
    SetPaneFont(*E1, DefaultFontSize);
    SetPaneFont(*E2, DefaultFontSize);
    // The keyboard way to press Translate, from anywhere in the window.
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (btnTrans->isEnabled())
                btnTrans->click();
        });
    }
    btnTrans->setToolTip(QStringLiteral("Translate (Ctrl+Enter)"));
    btnTrans->setFocus();
}

void TfrmMain::FormShow()
{
    LoadSettings();
    try {
        ApplyInterfaceLanguage();
    } catch (...) {
        // A settings file that cannot take the defaults must not leave the
        // configured proxy unused.
        ApplyProxySettings(*FHttp, Settings);
        throw;
    }
    ApplyProxySettings(*FHttp, Settings);
}

void TfrmMain::FormActivate() {}

bool TfrmMain::FormCanResize(int& newWidth, int& newHeight) const
{
    // A refused proposal is dropped as a whole: the window keeps its current
    // size except for the dimensions that were too small.
    const bool narrow = newWidth < MinOuterSize.width();
    const bool low = newHeight < MinOuterSize.height();
    if (!narrow && !low)
        return true;
    const QSize current = OuterSize();
    newWidth = narrow ? MinOuterSize.width() : current.width();
    newHeight = low ? MinOuterSize.height() : current.height();
    return false;
}

void TfrmMain::SetOuterSize(int width, int height)
{
    FormCanResize(width, height);
    resize(QSize(width, height) - FrameAllowance);
}

QSize TfrmMain::OuterSize() const
{
    return size() + FrameAllowance;
}

void TfrmMain::FormResize()
{
    const int h = height() - pnlTop->height() - pnlBottom->height() - Bar->height();
    const int half = h / 2;
    pnlFrom->resize(pnlFrom->width(), half);
    pnlTo->resize(pnlTo->width(), half);
    FClientLayout->Realign();
}

bool TfrmMain::CanHideToTray() const
{
    return CoolTrayIcon1 && CoolTrayIcon1->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

bool TfrmMain::FormCloseQuery()
{
    if (!CloseToTray || ShuttingDown || !CanHideToTray())
        return true;
    HideToTray();
    return false;
}

void TfrmMain::SessionEnding()
{
    ShuttingDown = true;
}

void TfrmMain::HideToTray()
{
    hide();
    if (CoolTrayIcon1)
        CoolTrayIcon1->show();
}

TPaneEdit* TfrmMain::Pane(int number) const
{
    return number == ResultPane ? E2 : E1;
}

void TfrmMain::ShowResultMessage(const QString& text)
{
    ::ShowResultMessage(*E2, text);
}

void TfrmMain::E1ContextPopup(TPaneEdit* pane, const QPoint& pos)
{
    // Stored at every opening, so a command acts on the pane the menu was last
    // opened on even when an earlier opening ended without a choice.
    pmTrans->setProperty("Tag", pane->PaneNumber());
    pmTrans->popup(pane->viewport()->mapToGlobal(pos));
}

void TfrmMain::btnClearClick(QObject* sender)
{
    ClearPane(*Pane(sender->property("Tag").toInt()));
}

void TfrmMain::Clear1Click()
{
    ClearPane(*Pane(pmTrans->property("Tag").toInt()));
}

void TfrmMain::Cut1Click() {}

void TfrmMain::Copy1Click() {}

void TfrmMain::Paste1Click() {}

void TfrmMain::btnTransClick()
{
    StartTranslation();
}

void TfrmMain::btnSwapClick()
{
    const QString source = PaneText(*E1);
    const QString result = PaneText(*E2);
    ShowTextInPane(*E2, source);
    ShowTextInPane(*E1, result);

    const QString from = SelectedLanguageCode(cmbFromLang);
    const QString to = SelectedLanguageCode(cmbToLang);
    if (!to.isEmpty())
        SelectByCode(cmbFromLang, to);
    // The target list has no "auto": then both sides show the same language.
    if (!from.isEmpty() && from != QLatin1String("auto"))
        SelectByCode(cmbToLang, from);
}

void TfrmMain::ClearLanguageSelectors()
{
    cmbFromLang->clear();
    cmbToLang->clear();
}

void TfrmMain::AddLanguageEntry(const QString& code, const QString& name)
{
    cmbFromLang->addItem(name, code);
    if (code != QLatin1String("auto"))
        cmbToLang->addItem(name, code);
}

void TfrmMain::RestoreLanguageSelection()
{
    using namespace SettingsKeys;
    if (Settings.FromLang.isEmpty()) {
        Settings.FromLang = QStringLiteral("auto");
        WriteStringKey(Settings.IniPath, General, QStringLiteral("FromLang"), Settings.FromLang);
    }
    if (Settings.ToLang.isEmpty()) {
        Settings.ToLang = SystemLocaleCode();
        WriteStringKey(Settings.IniPath, General, QStringLiteral("ToLang"), Settings.ToLang);
    }
    SelectByCode(cmbFromLang, Settings.FromLang);
    SelectByCode(cmbToLang, Settings.ToLang);
}

void TfrmMain::SelectByCode(QComboBox* selector, const QString& code)
{
    // Codes compare exactly, letter case included; no match selects nothing.
    selector->setCurrentIndex(
        selector->findData(code, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString TfrmMain::SelectedLanguageCode(const QComboBox* selector)
{
    return selector->currentIndex() < 0 ? QString() : selector->currentData().toString();
}

bool TfrmMain::SelectFallbackTarget()
{
    if (cmbToLang->currentIndex() < 0)
        SelectByCode(cmbToLang, SystemLanguageCode());
    return cmbToLang->currentIndex() >= 0;
}

void TfrmMain::ApplyInterfaceLanguage()
{
    if (Settings.DisplayLanguageCode.isEmpty()) {
        Settings.DisplayLanguageCode = QStringLiteral("en");
        WriteStringKey(Settings.IniPath, SettingsKeys::General, QStringLiteral("DisplayLanguageCode"),
                       Settings.DisplayLanguageCode);
    }
    ClearLanguageSelectors();
    LanguageBlock block = ReadLanguageBlock(Settings.DisplayLanguageCode.toLatin1());
    // A stored code without a block (a hand edit, a language since removed)
    // shows English for this run; the stored value stays for the user to fix.
    if (block.isEmpty())
        block = ReadLanguageBlock("en");
    for (const LanguageItem& item : std::as_const(block)) {
        if (const std::optional<InterfaceTextId> id = InterfaceTextIdFromName(item.id))
            ApplyInterfaceText(*id, item.text);
        else
            AddLanguageEntry(QString::fromLatin1(item.id), item.text);
    }
    ArrangeLanguageRow();
    RestoreLanguageSelection();
}

void TfrmMain::ApplyInterfaceText(InterfaceTextId id, const QString& text)
{
    UiStrings[id] = text;
    // The language-row labels take the width of their text; the Help label
    // grows to the left from its right edge.
    auto fitLabel = [&text](QLabel* label, bool keepRight) {
        label->setText(text);
        const int width = label->sizeHint().width();
        QRect g = label->geometry();
        if (keepRight)
            g.setLeft(g.right() + 1 - width);
        else
            g.setWidth(width);
        label->setGeometry(g);
    };
    switch (id) {
    case InterfaceTextId::Source:
        fitLabel(labFrom, false);
        break;
    case InterfaceTextId::Target:
        fitLabel(labTo, false);
        break;
    case InterfaceTextId::Help:
        fitLabel(labHelp, true);
        break;
    case InterfaceTextId::Trans:
        btnTrans->setText(text);
        break;
    case InterfaceTextId::Open:
        miOpen->setText(text);
        break;
    case InterfaceTextId::Options:
        miOptions->setText(text);
        break;
    case InterfaceTextId::About:
        miAbout->setText(text);
        break;
    case InterfaceTextId::Close:
        miClose->setText(text);
        break;
    case InterfaceTextId::Contactus:
        miContactUs->setText(text);
        break;
    case InterfaceTextId::Visithome:
        miWebSite->setText(text);
        break;
    default:
        break;
    }
}

void TfrmMain::ArrangeLanguageRow()
{
    const int x = std::max(labFrom->x() + labFrom->width() + 10, labTo->x() + labTo->width() + 10);
    cmbFromLang->move(x, cmbFromLang->y());
    cmbToLang->move(x, cmbToLang->y());
    btnSwap->move(cmbToLang->x() + cmbToLang->width() + 10, btnSwap->y());
    ImgLoad->move(btnSwap->x() + btnSwap->width() + 20, ImgLoad->y());
    imgHelp->move(labHelp->x() - 20, imgHelp->y());
}

void TfrmMain::StartTranslation()
{
    using namespace SettingsKeys;
    // A stored code that names no language leaves a selector empty: detect
    // the source, and take the system language as the target if there is one.
    if (cmbFromLang->currentIndex() < 0)
        SelectByCode(cmbFromLang, QStringLiteral("auto"));
    if (!SelectFallbackTarget()) {
        ShowResultMessage(QStringLiteral("Please choose the language to translate into."));
        cmbToLang->setFocus();
        return;
    }

    Settings.FromLang = SelectedLanguageCode(cmbFromLang);
    Settings.ToLang = SelectedLanguageCode(cmbToLang);
    WriteStringKey(Settings.IniPath, General, QStringLiteral("FromLang"), Settings.FromLang);
    WriteStringKey(Settings.IniPath, General, QStringLiteral("ToLang"), Settings.ToLang);

    SourceText = SelectedPaneText(*E1);
    if (SourceText.isEmpty())
        SourceText = PaneText(*E1);
    if (SourceText.isEmpty())
        return;

    ShowResultMessage(UiStrings[InterfaceTextId::Pleasewait]);
    FHttp->PrepareRequestHeaders();
    StartBusyAnimation(ImgLoad, QStringLiteral("fountain"));
    btnTrans->setEnabled(false);
    ResultBuffer = std::make_unique<QByteArray>();
    FJob = new TMyThread(this, FHttp.get(), SourceText, Settings.FromLang, Settings.ToLang,
                         ResultBuffer.get(), Settings.ServiceBaseUrl);
}

void TfrmMain::StartBusyAnimation(QLabel* image, const QString& name)
{
    const QString library = CompanionFilePath(BusyAnimationFile);
    if (library.isEmpty() || !QResource::registerResource(library))
        throw std::runtime_error("Unable to load " + BusyAnimationFile.toStdString());
    QByteArray gif;
    {
        QFile picture(QStringLiteral(":/GIF/") + name.toUpper());
        if (picture.open(QIODevice::ReadOnly))
            gif = picture.readAll();
    }
    QResource::unregisterResource(library);
    if (gif.isEmpty())
        throw std::runtime_error("The busy animation " + name.toUpper().toStdString() + " is missing");

    StopBusyAnimation(image);
    auto* device = new QBuffer(image);
    device->setData(gif);
    FBusyMovie = new QMovie(device, QByteArray("gif"), image);
    device->setParent(FBusyMovie);
    image->setMovie(FBusyMovie);
    FBusyMovie->start();
}

void TfrmMain::StopBusyAnimation(QLabel* image)
{
    image->clear();
    delete FBusyMovie.data();
}

namespace {

// Ends a job on the window's side whatever showing its outcome does: the
// Translate button back, the animation stopped.
class TJobEnd
{
public:
    explicit TJobEnd(std::function<void()> end) : FEnd(std::move(end)) {}
    ~TJobEnd() { FEnd(); }
    TJobEnd(const TJobEnd&) = delete;
    TJobEnd& operator=(const TJobEnd&) = delete;

private:
    std::function<void()> FEnd;
};

} // namespace

void TfrmMain::EndJobOnWindow()
{
    btnTrans->setEnabled(true);
    StopBusyAnimation(ImgLoad);
}

TParseResult TfrmMain::TakeResult()
{
    const std::unique_ptr<QByteArray> buffer = std::move(ResultBuffer);
    // The same as decoding the bytes first, without the round trip.
    return ParseTranslationBytes(buffer ? *buffer : QByteArray());
}

void TfrmMain::WMTranslateDone()
{
    TParseResult result;
    {
        const TJobEnd end([this] { EndJobOnWindow(); });
        result = TakeResult();
        if (!result.Error.isEmpty())
            ShowResultMessage(result.Error);
        else
            ShowTextInPane(*E2, result.Translation);
    }
    AutoCopyResult(result.Translation);
    E2->setFocus();
}

void TfrmMain::WMTranslateFailed()
{
    {
        const TJobEnd end([this] { EndJobOnWindow(); });
        ShowResultMessage(TakeResult().Error);
    }
    E2->setFocus();
}

void TfrmMain::AutoCopyResult(const QString&) {}

void TfrmMain::btnOpenClick() {}

void TfrmMain::btnSaveClick() {}

void TfrmMain::btnCopyClick(QObject*) {}

void TfrmMain::btnPasteClick(QObject*) {}

void TfrmMain::btnPrintClick() {}

void TfrmMain::labHelpClick(QWidget* sender)
{
    // The tray menu's Open and Close make no sense below the Help link.
    const QList<QAction*> trayOnly{miOpen, N5, N4, miClose};
    for (QAction* action : trayOnly)
        action->setVisible(false);
    const QPoint below = sender->mapToGlobal(QPoint(0, sender->height() + 4));
    // Right-aligned: the menu's top right corner lies at the point.
    pmHelp->exec(below - QPoint(pmHelp->sizeHint().width(), 0));
    for (QAction* action : trayOnly)
        action->setVisible(true);
}

void TfrmMain::miOpenClick() {}

void TfrmMain::miOptionsClick() {}

void TfrmMain::miWebSiteClick() {}

void TfrmMain::miContactUsClick() {}

void TfrmMain::miAboutClick() {}

void TfrmMain::miCloseClick()
{
    CloseToTray = false;
    close();
}

bool TfrmMain::event(QEvent* event)
{
    if (event->type() == WM_TRANSLATE_DONE) {
        WMTranslateDone();
        return true;
    }
    if (event->type() == WM_TRANSLATE_FAILED) {
        WMTranslateFailed();
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return TfrmRoot::event(event);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    TfrmRoot::showEvent(event);
    // A window coming back from minimized is not a new show.
    if (event->spontaneous())
        return;
    // An error here is reported and the window is shown all the same.
    try {
        FormShow();
    } catch (const std::exception& error) {
        ShowErrorReport(QString::fromUtf8(error.what()));
    }
    emit Shown();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery()) {
        event->accept();
        emit Closed();
    } else {
        event->ignore();
    }
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    TfrmRoot::resizeEvent(event);
    FormResize();
}
