#pragma once

#include "app/frm_Root.h"
#include "lang/langresource.h"
#include "translate/httpclient.h"
#include "translate/parse.h"

#include <QPointer>
#include <QSize>
#include <memory>

class QAction;
class QComboBox;
class QMovie;
class TMyThread;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QSystemTrayIcon;
class QToolButton;
class TAlignLayout;
class TClickLabel;
class TPaneEdit;

// The program's main window: banner, source half, result half, the Translate
// strip and the status bar. Every control is a child whose object name is
// its member name.
class TfrmMain final : public TfrmRoot
{
    Q_OBJECT

public:
    // The designed sizes are outer sizes of a frame 16 pixels wider and 38
    // higher than the client area. Window managers draw frames of their own
    // size, so the client area keeps the designed figures and the outer
    // figures are counted with that allowance.
    static constexpr QSize FrameAllowance{16, 38};
    static constexpr QSize DesignOuterSize{739, 555};
    static constexpr QSize MinOuterSize{370, 550};

    // `http` replaces the window's own HTTP client (tests).
    explicit TfrmMain(std::unique_ptr<IHttpClient> http = nullptr);
    ~TfrmMain() override;

    IHttpClient& HTTP() { return *FHttp; }

    // Window state: while CloseToTray is set, a close request hides the window
    // instead of ending the program; ShuttingDown overrides it at the end of
    // the session.
    bool CloseToTray = false;
    bool ShuttingDown = false;

    // The pane with number `number`: 0 E1, 1 E2.
    TPaneEdit* Pane(int number) const;
    void ShowResultMessage(const QString& text);

    // The outer size the window would take for the proposal; the window
    // applies the same rule to every size set from code (SetOuterSize).
    bool FormCanResize(int& newWidth, int& newHeight) const;
    void SetOuterSize(int width, int height);
    QSize OuterSize() const;

    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormResize();
    bool FormCloseQuery();
    // The session is ending: closing is allowed from now on.
    void SessionEnding();
    void HideToTray();

    // Language selectors: each item shows a name and carries its code.
    void ClearLanguageSelectors();
    void AddLanguageEntry(const QString& code, const QString& name);
    void RestoreLanguageSelection();
    static void SelectByCode(QComboBox* selector, const QString& code);
    // Empty when the selector has no selected item.
    static QString SelectedLanguageCode(const QComboBox* selector);

    // Interface language: texts, selectors and the language row.
    void ApplyInterfaceLanguage();
    void ApplyInterfaceText(InterfaceTextId id, const QString& text);
    void ArrangeLanguageRow();

    // The translation job.
    void StartTranslation();
    void StartBusyAnimation(QLabel* image, const QString& name);
    void StopBusyAnimation(QLabel* image);
    // The Translate button back and the animation stopped, after any outcome.
    void EndJobOnWindow();
    // Reads and destroys the job's buffer.
    TParseResult TakeResult();
    void WMTranslateDone();
    void WMTranslateFailed();
    void AutoCopyResult(const QString& translation);
    // Whether a job is under way.
    bool Translating() const { return !FJob.isNull(); }

    // The source text of the job being started, and afterwards of the last one.
    QString SourceText;

    void E1ContextPopup(TPaneEdit* pane, const QPoint& pos);
    void btnClearClick(QObject* sender);
    void Clear1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void btnTransClick();
    void btnSwapClick();
    void btnOpenClick();
    void btnSaveClick();
    void btnCopyClick(QObject* sender);
    void btnPasteClick(QObject* sender);
    void btnPrintClick();
    void labHelpClick(QWidget* sender);
    void miOpenClick();
    void miOptionsClick();
    void miWebSiteClick();
    void miContactUsClick();
    void miAboutClick();
    void miCloseClick();

    QWidget* pnlTop = nullptr;
    QLabel* TntImage1 = nullptr;
    TClickLabel* imgHelp = nullptr;
    TClickLabel* labHelp = nullptr;
    QFrame* TntBevel1 = nullptr;

    QWidget* pnlFrom = nullptr;
    QWidget* Panel6 = nullptr;
    QLabel* labFrom = nullptr;
    QComboBox* cmbFromLang = nullptr;
    QWidget* pnl2 = nullptr;
    QWidget* pnl5 = nullptr;
    QToolButton* btnOpen = nullptr;
    QToolButton* btnClear = nullptr;
    QToolButton* btnSave = nullptr;
    QToolButton* btnCopy = nullptr;
    QToolButton* btnPaste = nullptr;
    TPaneEdit* E1 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* pnl3 = nullptr;

    QWidget* pnlTo = nullptr;
    QWidget* Panel5 = nullptr;
    QLabel* labTo = nullptr;
    QComboBox* cmbToLang = nullptr;
    QToolButton* btnSwap = nullptr;
    QLabel* ImgLoad = nullptr;
    QWidget* pnl1 = nullptr;
    QWidget* Panel9 = nullptr;
    QToolButton* btnClear2 = nullptr;
    QToolButton* btnSave2 = nullptr;
    QToolButton* btnCopy2 = nullptr;
    QToolButton* btnPaste2 = nullptr;
    QToolButton* btnPrint = nullptr;
    QWidget* Panel2 = nullptr;
    TPaneEdit* E2 = nullptr;
    QWidget* pnl4 = nullptr;

    QWidget* pnlBottom = nullptr;
    QPushButton* btnTrans = nullptr;
    QStatusBar* Bar = nullptr;
    QLabel* BarPanel0 = nullptr;

    QMenu* pmHelp = nullptr;
    QAction* miOpen = nullptr;
    QAction* N5 = nullptr;
    QAction* miOptions = nullptr;
    QAction* N3 = nullptr;
    QAction* miWebSite = nullptr;
    QAction* miContactUs = nullptr;
    QAction* N1 = nullptr;
    QAction* miAbout = nullptr;
    QAction* N4 = nullptr;
    QAction* miClose = nullptr;

    QMenu* pmTrans = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* N6 = nullptr;
    QAction* Clear1 = nullptr;

    // The notification-area icon; none until the tray is set up, and while
    // there is none a close request ends the program.
    QSystemTrayIcon* CoolTrayIcon1 = nullptr;

signals:
    // After each FormShow.
    void Shown();
    // The window closed for real; the program ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Escape does not close the main window.
    void reject() override {}

private:
    void BuildControls();
    void BuildMenus();
    QToolButton* AddToolButton(QWidget* row, const char* name, QPoint pos, const QString& hint,
                               const QString& art, int tag);
    bool CanHideToTray() const;

    // Ends a running job and waits for its thread; the job uses the client
    // and the buffer that the window owns.
    void EndRunningJob();
    // The target when the stored code selected nothing: the system language.
    bool SelectFallbackTarget();

    std::unique_ptr<IHttpClient> FHttp;
    TAlignLayout* FClientLayout = nullptr;
    // Filled by the running job's worker only; read once the job has ended.
    std::unique_ptr<QByteArray> ResultBuffer;
    QPointer<TMyThread> FJob;
    QPointer<QMovie> FBusyMovie;
};
