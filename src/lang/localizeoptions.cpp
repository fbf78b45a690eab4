#include "lang/localizeoptions.h"

#include "lang/uistrings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <utility>

namespace {

void SetCaption(QWidget* dialog, const char* name, InterfaceTextId id)
{
    QWidget* control = dialog->findChild<QWidget*>(QLatin1String(name));
    if (!control)
        return;
    const QString& text = UiStrings[id];
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else {
        // A tab page: its caption is the tab's.
        for (QWidget* w = control->parentWidget(); w && w != dialog->parentWidget(); w = w->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                tabs->setTabText(tabs->indexOf(control), text);
                break;
            }
        }
    }
}

} // namespace

void LocalizeOptionsDialog(QWidget* dialog)
{
    if (auto* cmbLang = dialog->findChild<QComboBox*>(QStringLiteral("cmbLang"))) {
        cmbLang->clear();
        for (const InterfaceLanguage& language : ReadInterfaceLanguageList())
            cmbLang->addItem(language.text, QString::fromLatin1(language.code));
    }
    dialog->setWindowTitle(UiStrings[InterfaceTextId::Options]);
    using enum InterfaceTextId;
    const std::pair<const char*, InterfaceTextId> captions[] = {
        {"tsGeneral", Preferences},  {"tsConnection", Connection},
        {"chkAutoRun", AutoRun},     {"chkMinimize", Minimize},
        {"rgFont", FontSize},        {"chkAutoPaste", AutoPaste},
        {"chkAutoCopy", AutoCopy},   {"rgLang", InterfaceLanguage},
        {"labLang", SelectLanguage}, {"rgProxySettings", ProxySettings},
        {"rbNoProxy", NoProxy},      {"rbManuallyProxy", ManuallyProxy},
        {"labAddress", Address},     {"labPort", Port},
        {"labUserName", Username},   {"labPassword", Password},
        {"btnDefault", Default},
    };
    for (const auto& [name, id] : captions)
        SetCaption(dialog, name, id);
}
