#include "address/address_history.h"

#include "platform/text_file.h"

namespace pelquin {

QString AddressHistory::request(int i) const
{
    return m_model.data(m_model.index(i - 1), Qt::DisplayRole).toString();
}

void AddressHistory::setRequests(const QStringList &entries)
{
    m_model.setStringList(entries.mid(0, kMaxEntries));
}

void AddressHistory::append(const QString &entry)
{
    const int row = m_model.rowCount();
    if (row >= kMaxEntries)
        return;
    m_model.insertRows(row, 1);
    m_model.setData(m_model.index(row), entry);
}

QStringList readHistoryFile(const QString &path, const std::function<bool()> &limitToFifty)
{
    FieldReader fields(path);
    QStringList entries;
    bool asked = false;
    while (!fields.atEnd() && entries.size() < AddressHistory::kMaxEntries) {
        if (entries.size() == AddressHistory::kAskLimit && !asked) {
            if (limitToFifty())
                break;
            asked = true;
        }
        QString field = fields.next();
        if (!field.isEmpty())  // the program never writes an empty entry: an empty line is skipped
            entries << field;
    }
    return entries;
}

void writeHistoryFile(const QString &path, const QStringList &entries)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString &entry : entries) {
        lines << (entry.contains(QLatin1Char(','))
                      ? QLatin1Char('"') + entry + QLatin1Char('"')
                      : entry);
    }
    writeTextFile(path, lines);
}

}  // namespace pelquin
