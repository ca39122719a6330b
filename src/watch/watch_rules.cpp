#include "watch/watch_rules.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace pelquin {

namespace {

const QString kRules = QStringLiteral("rules");

// A message quotes the user's text; a damaged file must not make it endless.
QString bounded(const QString &message)
{
    constexpr int kLongest = 400;
    return message.size() > kLongest ? message.left(kLongest) + QStringLiteral("...") : message;
}

}  // namespace

WatchRules::WatchRules(QString path, bool privateRun)
    : m_path(std::move(path)), m_private(privateRun)
{
}

QString WatchRules::fileName() const
{
    return QFileInfo(m_path).fileName();
}

void WatchRules::fail(const QString &message)
{
    m_messages << bounded(message);
    m_whole = false;
}

void WatchRules::clear()
{
    m_file = QJsonObject();
    m_entries.clear();
    m_messages.clear();
    m_whole = true;
}

void WatchRules::load()
{
    clear();
    QFile file(m_path);
    if (!file.exists())
        return;
    if (file.size() > kLargestFile) {
        fail(QStringLiteral("%1 is larger than %2 MB and was not read")
                 .arg(fileName())
                 .arg(kLargestFile / (1024 * 1024)));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("%1 cannot be read: %2").arg(fileName(), file.errorString()));
        return;
    }
    // The file may grow while it is read; never take more than the largest allowed.
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        fail(QStringLiteral("%1 is larger than %2 MB and was not read")
                 .arg(fileName())
                 .arg(kLargestFile / (1024 * 1024)));
        return;
    }
    read(bytes);
}

void WatchRules::read(const QByteArray &bytes)
{
    clear();
    if (bytes.trimmed().isEmpty())
        return;  // an empty file holds no rules and nothing to lose
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        fail(QStringLiteral("%1 is not JSON: %2 at character %3; its rules are not used")
                 .arg(fileName(), error.errorString())
                 .arg(error.offset));
        return;
    }
    if (!document.isObject()) {
        fail(QStringLiteral("%1 must hold an object with \"rules\", not %2; its rules are "
                            "not used")
                 .arg(fileName(),
                      jsonKindName(document.isArray() ? QJsonValue(document.array())
                                                      : QJsonValue())));
        return;
    }
    m_file = document.object();
    const QJsonValue rules = m_file.take(kRules);
    if (rules.isUndefined()) {
        if (!m_file.isEmpty())
            m_messages << QStringLiteral("%1 has no \"rules\"").arg(fileName());
        return;
    }
    if (!rules.isArray()) {
        fail(QStringLiteral("%1: \"rules\" must be a list, not %2; its rules are not used")
                 .arg(fileName(), jsonKindName(rules)));
        return;
    }
    readRules(rules.toArray());
}

void WatchRules::readRules(const QJsonArray &rules)
{
    for (qsizetype i = 0; i < rules.size(); ++i) {
        const QJsonValue value = rules.at(i);
        const QString where = QStringLiteral("%1, rule %2: ").arg(fileName()).arg(i + 1);
        Entry entry{value, std::nullopt};
        if (!value.isObject()) {
            m_messages << where
                    + QStringLiteral("a rule must be an object with \"address\", "
                                     "not %1")
                          .arg(jsonKindName(value));
        } else {
            ParsedWatchRule parsed = parseWatchRule(value.toObject());
            for (const QString &problem : parsed.problems)
                m_messages << bounded(where + problem);
            entry.rule = std::move(parsed.rule);
        }
        m_entries.push_back(std::move(entry));
    }
    // A file of thousands of bad rules would bury the first mistakes, which are what to mend.
    constexpr int kMostMessages = 50;
    if (m_messages.size() > kMostMessages) {
        const qsizetype more = m_messages.size() - (kMostMessages - 1);
        m_messages.resize(kMostMessages - 1);
        m_messages << QStringLiteral("%1 has %2 more mistakes").arg(fileName()).arg(more);
    }
}

const WatchRule *WatchRules::ruleFor(const QString &address) const
{
    for (const Entry &entry : m_entries) {
        if (entry.rule && entry.rule->matches(address))
            return &*entry.rule;
    }
    return nullptr;
}

std::vector<const WatchRule *> WatchRules::rules() const
{
    std::vector<const WatchRule *> good;
    for (const Entry &entry : m_entries) {
        if (entry.rule)
            good.push_back(&*entry.rule);
    }
    return good;
}

int WatchRules::indexOf(const QString &address) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const QJsonValue written = m_entries[i].written.toObject().value(QLatin1String("address"));
        if (written.isString() && written.toString() == address)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<QJsonObject> WatchRules::written(const QString &address) const
{
    const int index = indexOf(address);
    if (index < 0)
        return std::nullopt;
    return m_entries[index].written.toObject();
}

QStringList WatchRules::put(const QJsonObject &rule)
{
    ParsedWatchRule parsed = parseWatchRule(rule);
    if (!parsed.rule || !parsed.problems.isEmpty())
        return parsed.problems;
    Entry entry{rule, std::move(parsed.rule)};
    const int index = indexOf(entry.rule->address);
    if (index < 0)
        m_entries.push_back(std::move(entry));
    else
        m_entries[index] = std::move(entry);
    return {};
}

bool WatchRules::remove(const QString &address)
{
    const int index = indexOf(address);
    if (index < 0)
        return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

QString WatchRules::save() const
{
    if (m_private)
        return QStringLiteral("The watch rules are not saved in a private run");
    if (!m_whole)
        return QStringLiteral("The watch rules cannot be saved until %1 is mended: it could "
                              "not be read whole")
            .arg(fileName());
    QJsonObject file = m_file;
    QJsonArray rules;
    for (const Entry &entry : m_entries)
        rules.append(entry.written);
    file.insert(kRules, rules);
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly)
        || out.write(QJsonDocument(file).toJson(QJsonDocument::Indented)) < 0 || !out.commit())
        return QStringLiteral("%1 cannot be saved: %2").arg(fileName(), out.errorString());
    return {};
}

}  // namespace pelquin
