#include "desktop/favorites.h"

#include "platform/app_folder.h"
#include "platform/basic_error.h"
#include "platform/error_report.h"
#include "platform/text_file.h"
#include "core/typed_address.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pelquin {

QString beforeFirstDot(const QString &name)
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString afterLastSeparator(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')),
                                   path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString favoritesFolder(const QString &winDir, int windowsMajor, const QString &userName)
{
    const QString user = userName.trimmed();
    const QString own = windowsMajor == 5
                            ? QStringLiteral("/home/") + user +
                                  QStringLiteral("/Favorites")
                            : winDir + QStringLiteral("/Profiles/") + user +
                                  QStringLiteral("/Favorites");
    if (QFileInfo(own).isDir())
        return own;
    return winDir + QStringLiteral("/Favorites");
}

namespace {

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// The address line of a shortcut as the page uses it: the second line (or the only one)
// less its 4-character key, from its "http://" or "https://" on.
QString addressText(const QString &path)
{
    LineReader lines(path);
    QString text = lines.next();
    if (!lines.atEnd())
        text = lines.next();
    if (text.size() > 4)
        text = text.mid(4);
    for (const char *scheme : {"http://", "https://"}) {
        const qsizetype at = text.indexOf(QLatin1String(scheme));
        if (at >= 0)
            text = text.mid(at);
    }
    return text;
}

// Bounds of the walk, so that a huge or looping folder cannot freeze the window.
constexpr int kMaxDepth = 16;
constexpr int kMaxFolders = 1000;
constexpr int kMaxFiles = 5000;
// A shortcut is a few lines; anything bigger is not one.
constexpr qint64 kMaxShortcutSize = 64 * 1024;

struct Walk {
    QStringList &lines;
    ErrorReporter &errors;
    int folders = 0;
    int files = 0;
    bool full() const { return folders >= kMaxFolders || files >= kMaxFiles; }
};

void walk(const QString &folder, int depth, Walk &w)
{
    const QString name = afterLastSeparator(folder).toUpper();
    if (name == QStringLiteral("CHANNELS") || name == QStringLiteral("SOFTWARE UPDATES") ||
        name == QStringLiteral("MICROSOFT INTERNET EXPLORER"))
        return;
    if (depth > kMaxDepth || w.full())
        return;
    ++w.folders;
    QStringList subfolders;
    Trap(w.errors, QStringLiteral(" at 8")).step([&] {
        const QDir dir(folder);
        if (!QFileInfo(folder).isReadable() || !dir.isReadable())
            throwError(err::PathFileAccess);
        w.lines << QStringLiteral("<p><strong>") + escaped(name) + QStringLiteral("</strong><br>");
        const QDir::Filters listed = QDir::NoDotAndDotDot | QDir::Hidden;
        // A linked folder may lead anywhere on the disk, or back into the tree.
        for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoSymLinks | listed, QDir::Name))
            subfolders << dir.filePath(sub);
        for (const QFileInfo &file : dir.entryInfoList(QDir::Files | listed, QDir::Name)) {
            if (!file.isFile() || file.size() == 0 || file.size() > kMaxShortcutSize)
                continue;  // not a shortcut: a pipe or device would never end, an empty file says nothing
            if (++w.files > kMaxFiles)
                return;
            const QString address = addressText(file.filePath());
            if (address.contains(QStringLiteral("={")))
                continue;
            // A shortcut must not be able to put script into a local page.
            if (typedAddressUrl(address).scheme() == QStringLiteral("javascript"))
                continue;
            w.lines << QStringLiteral("<a href=\"") + escaped(address) + QStringLiteral("\">") +
                           escaped(beforeFirstDot(file.fileName())) + QStringLiteral("</a><br>");
        }
    });
    for (const QString &sub : subfolders)
        walk(sub, depth + 1, w);
}

}  // namespace

QStringList favoritesPage(const QString &folder, ErrorReporter &errors)
{
    QStringList lines{QStringLiteral("<HTML><BODY>")};
    Walk w{lines, errors};
    walk(QDir::cleanPath(folder), 0, w);
    if (w.full())
        lines << QStringLiteral("<p>(Not every favorite is shown: the folder is too large.)</p>");
    lines << QStringLiteral("</BODY></HTML>");
    return lines;
}

bool writeFavoritesPage(const QString &appFolder, const QString &favorites, ErrorReporter &errors)
{
    Trap trap(errors, QStringLiteral(" At DoFaves"));
    trap.step([&] {
        writeTextFile(appFile(appFolder, QStringLiteral("FAVES.HTM")),
                      favoritesPage(favorites, errors));
    });
    return !trap.ended();
}

QString shortcutFileName(const QString &title)
{
    QString name;
    for (const QChar c : title.trimmed()) {
        const bool bad = c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c);
        name += bad ? QLatin1Char('_') : c;
    }
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.left(120).trimmed();
    return (name.isEmpty() ? QStringLiteral("Untitled") : name) + QStringLiteral(".url");
}

QString shortcutAddress(const QString &path)
{
    try {
        LineReader lines(path);
        for (int i = 0; i < 64 && !lines.atEnd(); ++i) {
            const QString line = lines.next().trimmed();
            if (line.left(4).compare(QStringLiteral("URL="), Qt::CaseInsensitive) == 0)
                return line.mid(4).trimmed();
        }
    } catch (const BasicError &) {
    }
    return {};
}

QString writeShortcut(const QString &folder, const QString &title, const QString &address)
{
    const QString file = shortcutFileName(title);
    QString path = QDir(folder).filePath(file);
    for (int n = 2; QFileInfo::exists(path) && shortcutAddress(path) != address; ++n)
        path = QDir(folder).filePath(beforeFirstDot(file) + QStringLiteral(" (%1).url").arg(n));
    writeTextFile(path, {QStringLiteral("[InternetShortcut]"), QStringLiteral("URL=") + address});
    return path;
}

FavoritesPrompt::FavoritesPrompt(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("favorites"));
    setWindowTitle(QStringLiteral("Favorites"));
    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_DirLinkIcon).pixmap(32));
    auto *label = new QLabel(
        QStringLiteral("Do you wish to Add to Favorites or Navigate to a Favorite?"), this);
    label->setObjectName(QStringLiteral("question"));
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(label, 1);
    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> captions[] = {
        {"addButton", "&Add to "}, {"navigateButton", "&Navigate to"}, {"cancelButton", "&Cancel"}};
    Choice choice = Add;
    for (const auto &[name, caption] : captions) {
        auto *button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            accept();
        });
        buttons->addWidget(button);
        choice = static_cast<Choice>(choice + 1);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

AddFavoriteDialog::AddFavoriteDialog(const QString &title, const QString &address,
                                     QWidget *parent)
    : QDialog(parent), m_title(new QLineEdit(title, this))
{
    setObjectName(QStringLiteral("addFavorite"));
    setWindowTitle(QStringLiteral("Add Favorite"));
    m_title->setObjectName(QStringLiteral("Title"));
    auto *where = new QLabel(address, this);
    where->setTextFormat(Qt::PlainText);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_title);
    form->addRow(QStringLiteral("Address:"), where);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Pelquin will add this page to your Favorites."), this));
    layout->addLayout(form);
    layout->addWidget(box);
    resize(460, 140);
}

QString AddFavoriteDialog::title() const
{
    return m_title->text();
}

}  // namespace pelquin
