#include "lang/localizeoptions.h"
#include "lang/uistrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

template <typename T> T* Add(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The controls of the Options dialog that take interface texts.
struct TDialog
{
    QDialog Dialog;
    QTabWidget* Tabs = Add<QTabWidget>(&Dialog, "pcOptions");
    QWidget* General = Add<QWidget>(&Dialog, "tsGeneral");
    QWidget* Connection = Add<QWidget>(&Dialog, "tsConnection");

    TDialog()
    {
        Tabs->addTab(General, QStringLiteral("General"));
        Tabs->addTab(Connection, QStringLiteral("Connection"));
        for (const char* name : {"chkAutoRun", "chkMinimize", "chkAutoPaste", "chkAutoCopy"})
            Add<QCheckBox>(General, name);
        Add<QGroupBox>(General, "rgFont");
        auto* rgLang = Add<QGroupBox>(General, "rgLang");
        Add<QLabel>(rgLang, "labLang");
        Add<QComboBox>(rgLang, "cmbLang")->addItem(QStringLiteral("stale"));
        auto* proxy = Add<QGroupBox>(Connection, "rgProxySettings");
        Add<QRadioButton>(proxy, "rbNoProxy");
        Add<QRadioButton>(proxy, "rbManuallyProxy");
        for (const char* name : {"labAddress", "labPort", "labUserName", "labPassword"})
            Add<QLabel>(proxy, name);
        Add<QPushButton>(&Dialog, "btnDefault");
    }

    QString Caption(const char* name) const
    {
        QWidget* w = Dialog.findChild<QWidget*>(QLatin1String(name));
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            return g->title();
        return Tabs->tabText(Tabs->indexOf(w));
    }
};

void ApplyBlock(const QByteArray& code)
{
    for (const LanguageItem& item : ReadLanguageBlock(code)) {
        if (const auto id = InterfaceTextIdFromName(item.id))
            UiStrings[*id] = item.text;
    }
}

} // namespace

class TestLocalizeOptions : public QObject
{
    Q_OBJECT

private slots:
    void fillsLanguagesAndCaptions_data();
    void fillsLanguagesAndCaptions();
};

void TestLocalizeOptions::fillsLanguagesAndCaptions_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("password");

    QTest::newRow("en") << QByteArray("en") << QStringLiteral("Options") << QStringLiteral("Password:");
    QTest::newRow("de") << QByteArray("de") << QStringLiteral("Optionen") << QString();
}

void TestLocalizeOptions::fillsLanguagesAndCaptions()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, title);
    QFETCH(QString, password);

    ApplyBlock(code);
    TDialog d;
    LocalizeOptionsDialog(&d.Dialog);

    QCOMPARE(d.Dialog.windowTitle(), title);
    auto* cmbLang = d.Dialog.findChild<QComboBox*>(QStringLiteral("cmbLang"));
    QCOMPARE(cmbLang->count(), 69);
    QCOMPARE(cmbLang->itemText(0), QStringLiteral("English : English"));
    QCOMPARE(cmbLang->itemText(1), QStringLiteral("Afrikaans : Afrikaans"));
    QCOMPARE(cmbLang->itemData(68).toString(), QStringLiteral("yi"));
    // Every caption is the block's text, none left empty or as before.
    const std::pair<const char*, InterfaceTextId> captions[] = {
        {"tsGeneral", InterfaceTextId::Preferences},  {"tsConnection", InterfaceTextId::Connection},
        {"chkAutoRun", InterfaceTextId::AutoRun},     {"rgFont", InterfaceTextId::FontSize},
        {"labLang", InterfaceTextId::SelectLanguage}, {"rbManuallyProxy", InterfaceTextId::ManuallyProxy},
        {"labUserName", InterfaceTextId::Username},   {"labPassword", InterfaceTextId::Password},
        {"btnDefault", InterfaceTextId::Default},     {"rgProxySettings", InterfaceTextId::ProxySettings},
    };
    for (const auto& [name, id] : captions) {
        QVERIFY2(!d.Caption(name).isEmpty(), name);
        QCOMPARE(d.Caption(name), UiStrings[id]);
    }
    if (!password.isEmpty())
        QCOMPARE(d.Caption("labPassword"), password);
}

QTEST_MAIN(TestLocalizeOptions)
#include "tst_localizeoptions.moc"
