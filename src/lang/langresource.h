#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// The embedded language document: one block of items per interface language
// and the list of interface languages. Every call reads the document anew.

// One item of a language block: a language code with its name, "auto" with
// the block's "Detect language", or an interface text.
struct LanguageItem
{
    QByteArray id;
    QString text;

    friend bool operator==(const LanguageItem&, const LanguageItem&) = default;
};

using LanguageBlock = QList<LanguageItem>;

// One entry of the interface-language list: a block code and the text
// "English name : own name".
struct InterfaceLanguage
{
    QByteArray code;
    QString text;

    friend bool operator==(const InterfaceLanguage&, const InterfaceLanguage&) = default;
};

using InterfaceLanguageList = QList<InterfaceLanguage>;

// The interface texts, in the order they stand in every block.
enum class InterfaceTextId
{
    Source,
    Target,
    Trans,
    Pleasewait,
    Help,
    Options,
    About,
    Contactus,
    Visithome,
    Open,
    Close,
    Preferences,
    AutoRun,
    Minimize,
    AutoPaste,
    AutoCopy,
    InterfaceLanguage,
    SelectLanguage,
    FontSize,
    Default,
    Connection,
    ProxySettings,
    NoProxy,
    ManuallyProxy,
    Address,
    Port,
    Username,
    Password,
};

inline constexpr int InterfaceTextIdCount = 28;

// Every id in block order.
extern const std::array<InterfaceTextId, InterfaceTextIdCount> AllInterfaceTextIds;

// The item id that names `id` in the document, e.g. "Pleasewait".
QByteArray InterfaceTextIdName(InterfaceTextId id);

// The interface text an item id names. The match is exact, letter case
// included; any other id is a language code.
std::optional<InterfaceTextId> InterfaceTextIdFromName(QByteArrayView name);

// The items of the block whose id matches `code` without regard to letter
// case, in document order. Empty when no block matches.
LanguageBlock ReadLanguageBlock(QByteArrayView code);

// The (code, text) pairs of the interface list, in document order.
InterfaceLanguageList ReadInterfaceLanguageList();

// The resource path of the compiled-in document.
QString LanguageResourcePath();

// The two reads over a document given as bytes; the functions above run them
// over the compiled-in document.
LanguageBlock ParseLanguageBlock(QByteArrayView document, QByteArrayView code);
InterfaceLanguageList ParseInterfaceLanguageList(QByteArrayView document);
