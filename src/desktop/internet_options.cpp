#include "desktop/internet_options.h"

#include "core/typed_address.h"
#include "platform/settings_store.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pelquin {

namespace {
const QString kOn = QStringLiteral("1");
const QString kOff = QStringLiteral("0");
}  // namespace

BrowserOptions loadBrowserOptions(const SettingsStore &settings)
{
    BrowserOptions o;
    o.javascript = settings.value(setting::JavaScript) != kOff;
    o.images = settings.value(setting::Images) != kOff;
    const QString proxy = settings.value(setting::ProxyMode);
    o.proxy = proxy == QStringLiteral("none")     ? BrowserOptions::Proxy::None
              : proxy == QStringLiteral("manual") ? BrowserOptions::Proxy::Manual
                                                  : BrowserOptions::Proxy::System;
    o.proxyHost = settings.value(setting::ProxyHost).trimmed();
    const uint port = settings.value(setting::ProxyPort).toUInt();
    o.proxyPort = port > 0 && port < 65536 ? static_cast<quint16>(port) : 8080;
    if (o.proxy == BrowserOptions::Proxy::Manual && o.proxyHost.isEmpty())
        o.proxy = BrowserOptions::Proxy::System;
    o.processPerSite = settings.value(setting::ProcessPerSite) == kOn;
    o.spellCheck = settings.value(setting::SpellCheck) != kOff;
    return o;
}

void saveBrowserOptions(SettingsStore &settings, const BrowserOptions &o)
{
    settings.setValue(setting::JavaScript, o.javascript ? kOn : kOff);
    settings.setValue(setting::Images, o.images ? kOn : kOff);
    settings.setValue(setting::ProxyMode,
                      o.proxy == BrowserOptions::Proxy::None     ? QStringLiteral("none")
                      : o.proxy == BrowserOptions::Proxy::Manual ? QStringLiteral("manual")
                                                                 : QStringLiteral("system"));
    settings.setValue(setting::ProxyHost, o.proxyHost);
    settings.setValue(setting::ProxyPort, QString::number(o.proxyPort));
    settings.setValue(setting::ProcessPerSite, o.processPerSite ? kOn : kOff);
    settings.setValue(setting::SpellCheck, o.spellCheck ? kOn : kOff);
    settings.sync();
}

QString loadSearchTemplate(const SettingsStore &settings)
{
    const QString stored = settings.value(setting::SearchTemplate).trimmed();
    return isSearchTemplate(stored) ? stored : QString::fromLatin1(kDefaultSearchTemplate);
}

WatchOptions loadWatchOptions(const SettingsStore &settings)
{
    WatchOptions o;
    o.notifyChanges = settings.value(setting::NotifyChanges) == kOn;
    const int seconds = settings.value(setting::RotateSeconds).toInt();
    o.rotateSeconds = seconds >= kMinRotateSeconds ? qMin(seconds, kMaxRotateSeconds) : 0;
    return o;
}

void saveWatchOptions(SettingsStore &settings, const WatchOptions &o)
{
    settings.setValue(setting::NotifyChanges, o.notifyChanges ? kOn : kOff);
    settings.setValue(setting::RotateSeconds, QString::number(o.rotateSeconds));
    settings.sync();
}

namespace {

// Names the dictionary in use, or says why the box can do nothing.
void describeSpelling(QCheckBox &box, const QString &language)
{
    if (language.isEmpty()) {
        box.setEnabled(false);
        box.setText(box.text() + QStringLiteral(" (no dictionary for this desktop's language)"));
        box.setToolTip(QStringLiteral("Install the hunspell dictionary of your language and "
                                      "build Pelquin again."));
        return;
    }
    const QLocale locale(language);
    box.setText(box.text() + QStringLiteral(", in %1").arg(
                                 language.contains(QLatin1Char('-'))
                                     ? QStringLiteral("%1 (%2)").arg(
                                           QLocale::languageToString(locale.language()),
                                           QLocale::territoryToString(locale.territory()))
                                     : QLocale::languageToString(locale.language())));
}

}  // namespace

InternetOptionsDialog::InternetOptionsDialog(BrowserFactory &browsers, SettingsStore &settings,
                                             QWidget *parent)
    : QDialog(parent), m_browsers(browsers), m_settings(settings),
      m_javascript(new QCheckBox(QStringLiteral("Run &JavaScript on pages"), this)),
      m_images(new QCheckBox(QStringLiteral("Show &pictures"), this)),
      m_spellCheck(new QCheckBox(QStringLiteral("Check spe&lling as I type"), this)),
      m_noProxy(new QRadioButton(QStringLiteral("&No proxy"), this)),
      m_systemProxy(new QRadioButton(QStringLiteral("Use the &system's proxy settings"), this)),
      m_manualProxy(new QRadioButton(QStringLiteral("&Manual proxy:"), this)),
      m_host(new QLineEdit(this)), m_port(new QSpinBox(this)),
      m_processPerSite(
          new QCheckBox(QStringLiteral("Tabs of the same &site share one process"), this)),
      m_search(new QLineEdit(this)),
      m_notifyChanges(
          new QCheckBox(QStringLiteral("Tell me when a tab's page &changes"), this)),
      m_rotate(new QCheckBox(QStringLiteral("Show each tab in &turn every"), this)),
      m_rotateSeconds(new QSpinBox(this))
{
    setObjectName(QStringLiteral("internetOptions"));
    setWindowTitle(QStringLiteral("Internet Options"));
    QGroupBox *stored = storedByPagesGroup();
    QGroupBox *content = contentGroup();
    QGroupBox *proxy = connectionGroup();
    QGroupBox *search = searchGroup();
    QGroupBox *memory = memoryGroup();
    QGroupBox *watching = watchingGroup();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &InternetOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(stored);
    layout->addWidget(content);
    layout->addWidget(proxy);
    layout->addWidget(search);
    layout->addWidget(memory);
    layout->addWidget(watching);
    layout->addWidget(buttons);
    setOptions(loadBrowserOptions(settings));
    setWatchOptions(loadWatchOptions(settings));
    enableManualProxy();
}

QGroupBox *InternetOptionsDialog::storedByPagesGroup()
{
    auto *clearCache = new QPushButton(QStringLiteral("Delete &Temporary Files"), this);
    clearCache->setObjectName(QStringLiteral("clearCache"));
    auto *clearCookies = new QPushButton(QStringLiteral("Delete &Cookies"), this);
    clearCookies->setObjectName(QStringLiteral("clearCookies"));
    connect(clearCache, &QPushButton::clicked, this, [this] { m_browsers.clearCache(); });
    connect(clearCookies, &QPushButton::clicked, this, [this] { m_browsers.clearCookies(); });
    auto *stored = new QGroupBox(QStringLiteral("Stored by pages"), this);
    auto *storedRow = new QHBoxLayout(stored);
    storedRow->addWidget(clearCache);
    storedRow->addWidget(clearCookies);
    return stored;
}

QGroupBox *InternetOptionsDialog::contentGroup()
{
    auto *content = new QGroupBox(QStringLiteral("Content"), this);
    auto *contentColumn = new QVBoxLayout(content);
    contentColumn->addWidget(m_javascript);
    contentColumn->addWidget(m_images);
    m_spellCheck->setObjectName(QStringLiteral("spellCheck"));
    describeSpelling(*m_spellCheck, m_browsers.spellingLanguage());
    contentColumn->addWidget(m_spellCheck);
    return content;
}

QGroupBox *InternetOptionsDialog::connectionGroup()
{
    m_host->setPlaceholderText(QStringLiteral("proxy.example.com"));
    m_port->setRange(1, 65535);
    auto *proxy = new QGroupBox(QStringLiteral("Connection"), this);
    auto *proxyColumn = new QVBoxLayout(proxy);
    auto *manualRow = new QHBoxLayout;
    manualRow->addWidget(m_manualProxy);
    manualRow->addWidget(m_host, 1);
    manualRow->addWidget(new QLabel(QStringLiteral("Port:"), this));
    manualRow->addWidget(m_port);
    proxyColumn->addWidget(m_noProxy);
    proxyColumn->addWidget(m_systemProxy);
    proxyColumn->addLayout(manualRow);
    connect(m_manualProxy, &QRadioButton::toggled, this,
            &InternetOptionsDialog::enableManualProxy);
    return proxy;
}

void InternetOptionsDialog::enableManualProxy()
{
    m_host->setEnabled(m_manualProxy->isChecked());
    m_port->setEnabled(m_manualProxy->isChecked());
}

QGroupBox *InternetOptionsDialog::searchGroup()
{
    m_search->setObjectName(QStringLiteral("searchTemplate"));
    m_search->setAccessibleName(QStringLiteral("Search address"));
    m_search->setPlaceholderText(QString::fromLatin1(kDefaultSearchTemplate));
    m_search->setText(loadSearchTemplate(m_settings));
    auto *search = new QGroupBox(QStringLiteral("Search"), this);
    auto *searchColumn = new QVBoxLayout(search);
    auto *searchSaid = new QLabel(
        QStringLiteral("Words typed into an address box that are no address are searched for "
                       "at this address; %s stands for the words:"),
        this);
    searchSaid->setWordWrap(true);
    searchSaid->setBuddy(m_search);
    searchColumn->addWidget(searchSaid);
    searchColumn->addWidget(m_search);
    return search;
}

QGroupBox *InternetOptionsDialog::memoryGroup()
{
    auto *memory = new QGroupBox(QStringLiteral("Memory"), this);
    auto *memoryColumn = new QVBoxLayout(memory);
    auto *tradeOff = new QLabel(
        QStringLiteral("Saves memory when many tabs show pages of one site. A crash or a busy "
                       "page then takes the site's other tabs with it. Takes effect when "
                       "Pelquin starts again."),
        this);
    tradeOff->setWordWrap(true);
    memoryColumn->addWidget(m_processPerSite);
    memoryColumn->addWidget(tradeOff);
    return memory;
}

QGroupBox *InternetOptionsDialog::watchingGroup()
{
    m_notifyChanges->setObjectName(QStringLiteral("notifyChanges"));
    m_rotate->setObjectName(QStringLiteral("rotateTabs"));
    m_rotateSeconds->setObjectName(QStringLiteral("rotateSeconds"));
    m_rotateSeconds->setRange(kMinRotateSeconds, kMaxRotateSeconds);
    m_rotateSeconds->setValue(30);
    m_rotateSeconds->setSuffix(QStringLiteral(" seconds"));
    m_rotateSeconds->setAccessibleName(QStringLiteral("Seconds each tab is shown"));
    auto *watching = new QGroupBox(QStringLiteral("Watching pages"), this);
    auto *watchingColumn = new QVBoxLayout(watching);
    auto *rotateRow = new QHBoxLayout;
    rotateRow->addWidget(m_rotate);
    rotateRow->addWidget(m_rotateSeconds);
    rotateRow->addStretch(1);
    watchingColumn->addWidget(m_notifyChanges);
    watchingColumn->addLayout(rotateRow);
    connect(m_rotate, &QCheckBox::toggled, m_rotateSeconds, &QSpinBox::setEnabled);
    return watching;
}

BrowserOptions InternetOptionsDialog::options() const
{
    BrowserOptions o;
    o.javascript = m_javascript->isChecked();
    o.images = m_images->isChecked();
    o.proxy = m_noProxy->isChecked()       ? BrowserOptions::Proxy::None
              : m_manualProxy->isChecked() ? BrowserOptions::Proxy::Manual
                                           : BrowserOptions::Proxy::System;
    o.proxyHost = m_host->text().trimmed();
    o.proxyPort = static_cast<quint16>(m_port->value());
    o.processPerSite = m_processPerSite->isChecked();
    o.spellCheck = m_spellCheck->isChecked();
    // A manual proxy without a host would cut every page off: keep the system's then.
    if (o.proxy == BrowserOptions::Proxy::Manual && o.proxyHost.isEmpty())
        o.proxy = BrowserOptions::Proxy::System;
    return o;
}

void InternetOptionsDialog::setOptions(const BrowserOptions &o)
{
    m_javascript->setChecked(o.javascript);
    m_images->setChecked(o.images);
    m_noProxy->setChecked(o.proxy == BrowserOptions::Proxy::None);
    m_systemProxy->setChecked(o.proxy == BrowserOptions::Proxy::System);
    m_manualProxy->setChecked(o.proxy == BrowserOptions::Proxy::Manual);
    m_host->setText(o.proxyHost);
    m_port->setValue(o.proxyPort);
    m_processPerSite->setChecked(o.processPerSite);
    m_spellCheck->setChecked(o.spellCheck);
}

WatchOptions InternetOptionsDialog::watchOptions() const
{
    WatchOptions o;
    o.notifyChanges = m_notifyChanges->isChecked();
    o.rotateSeconds = m_rotate->isChecked() ? m_rotateSeconds->value() : 0;
    return o;
}

void InternetOptionsDialog::setWatchOptions(const WatchOptions &o)
{
    m_notifyChanges->setChecked(o.notifyChanges);
    m_rotate->setChecked(o.rotateSeconds > 0);
    m_rotateSeconds->setEnabled(o.rotateSeconds > 0);
    if (o.rotateSeconds > 0)
        m_rotateSeconds->setValue(o.rotateSeconds);
}

QString InternetOptionsDialog::searchTemplate() const
{
    // An unusable address would send every search nowhere: the default stays then.
    const QString typed = m_search->text().trimmed();
    return isSearchTemplate(typed) ? typed : QString::fromLatin1(kDefaultSearchTemplate);
}

void InternetOptionsDialog::accept()
{
    const BrowserOptions o = options();
    m_browsers.applyOptions(o);
    saveBrowserOptions(m_settings, o);
    saveWatchOptions(m_settings, watchOptions());
    m_settings.setValue(setting::SearchTemplate, searchTemplate());
    m_settings.sync();
    QDialog::accept();
}

}  // namespace pelquin
