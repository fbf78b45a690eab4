#include "lang/langresource.h"

#include <QLoggingCategory>
#include <QResource>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcLang, "parlino.lang")

constexpr std::array<const char*, InterfaceTextIdCount> kIdNames = {
    "Source",
    "Target",
    "Trans",
    "Pleasewait",
    "Help",
    "Options",
    "About",
    "Contactus",
    "Visithome",
    "Open",
    "Close",
    "Preferences",
    "AutoRun",
    "Minimize",
    "AutoPaste",
    "AutoCopy",
    "InterfaceLanguage",
    "SelectLanguage",
    "FontSize",
    "Default",
    "Connection",
    "ProxySettings",
    "NoProxy",
    "ManuallyProxy",
    "Address",
    "Port",
    "Username",
    "Password",
};

// The document's bytes. An uncompressed resource is used in place, so a
// read costs only the parse.
QByteArray DocumentBytes()
{
    const QResource resource(LanguageResourcePath());
    if (!resource.isValid()) {
        qCWarning(lcLang) << "language resource missing:" << resource.fileName();
        return {};
    }
    if (resource.compressionAlgorithm() == QResource::NoCompression) {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                       static_cast<qsizetype>(resource.size()));
    }
    return resource.uncompressedData();
}

bool NameIs(const QXmlStreamReader& xml, QLatin1StringView name)
{
    return xml.name().compare(name, Qt::CaseInsensitive) == 0;
}

// The id attribute; attribute names ignore case like element names.
QStringView IdAttribute(const QXmlStreamReader& xml)
{
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        if (attribute.name().compare("id"_L1, Qt::CaseInsensitive) == 0)
            return attribute.value();
    }
    return {};
}

// Reads the direct `item` children of the current element; other children
// are skipped. Leaves the reader on the element's end.
template <typename Item> QList<Item> ReadItems(QXmlStreamReader& xml)
{
    QList<Item> items;
    while (xml.readNextStartElement()) {
        if (!NameIs(xml, "item"_L1)) {
            xml.skipCurrentElement();
            continue;
        }
        QByteArray id = IdAttribute(xml).toLatin1();
        QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        items.append(Item{std::move(id), std::move(text)});
    }
    return items;
}

void WarnOnError(const QXmlStreamReader& xml)
{
    if (xml.hasError()) {
        qCWarning(lcLang) << "language resource unreadable at line" << xml.lineNumber() << ':'
                          << xml.errorString();
    }
}

} // namespace

const std::array<InterfaceTextId, InterfaceTextIdCount> AllInterfaceTextIds = [] {
    std::array<InterfaceTextId, InterfaceTextIdCount> ids{};
    for (int i = 0; i < InterfaceTextIdCount; ++i)
        ids[static_cast<size_t>(i)] = static_cast<InterfaceTextId>(i);
    return ids;
}();

QByteArray InterfaceTextIdName(InterfaceTextId id)
{
    return QByteArray(kIdNames[static_cast<size_t>(id)]);
}

std::optional<InterfaceTextId> InterfaceTextIdFromName(QByteArrayView name)
{
    for (int i = 0; i < InterfaceTextIdCount; ++i) {
        if (name == QByteArrayView(kIdNames[static_cast<size_t>(i)]))
            return static_cast<InterfaceTextId>(i);
    }
    return std::nullopt;
}

QString LanguageResourcePath()
{
    return u":/MyRes/Lang"_s;
}

LanguageBlock ReadLanguageBlock(QByteArrayView code)
{
    return ParseLanguageBlock(DocumentBytes(), code);
}

InterfaceLanguageList ReadInterfaceLanguageList()
{
    return ParseInterfaceLanguageList(DocumentBytes());
}

LanguageBlock ParseLanguageBlock(QByteArrayView document, QByteArrayView code)
{
    QXmlStreamReader xml(QByteArray::fromRawData(document.data(), document.size()));
    if (!xml.readNextStartElement())
        return {};
    const QString wanted = QString::fromLatin1(code);
    while (xml.readNextStartElement()) {
        if (NameIs(xml, "language"_L1) && IdAttribute(xml).compare(wanted, Qt::CaseInsensitive) == 0) {
            LanguageBlock block = ReadItems<LanguageItem>(xml);
            WarnOnError(xml);
            // A block cut short by a fault in the document is not handed out
            // as if it were whole.
            return xml.hasError() ? LanguageBlock() : block;
        }
        xml.skipCurrentElement();
    }
    WarnOnError(xml);
    return {};
}

InterfaceLanguageList ParseInterfaceLanguageList(QByteArrayView document)
{
    QXmlStreamReader xml(QByteArray::fromRawData(document.data(), document.size()));
    if (!xml.readNextStartElement())
        return {};
    // The first `interface` element anywhere below the root, depth first.
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && NameIs(xml, "interface"_L1)) {
            InterfaceLanguageList list = ReadItems<InterfaceLanguage>(xml);
            WarnOnError(xml);
            return xml.hasError() ? InterfaceLanguageList() : list;
        }
    }
    WarnOnError(xml);
    return {};
}
