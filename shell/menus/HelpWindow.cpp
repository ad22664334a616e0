#include "shell/menus/HelpWindow.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "panes/about/ProgramArt.h"
#include "panes/about/ProgramInfo.h"
#include "platform/qt/UrlOpener.h"

CHelpWindow::CHelpWindow(IUrlOpener& urlOpener, QWidget* parent)
    : QWidget(parent, Qt::Window), m_urlOpener(urlOpener)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QString::fromUtf8(kProductName) + QStringLiteral(" Help"));
    setWindowIcon(ProgramIcon());
    resize(640, 560);

    auto* layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    // Pages of the help file open here; other addresses go to the browser.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.isRelative() || url.isLocalFile())
            m_browser->setSource(m_browser->source().resolved(url));
        else
            m_urlOpener.OpenUrl(url.toString().toStdString());
    });
    layout->addWidget(m_browser, 1);

    auto* buttons = new QHBoxLayout;
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* home = new QPushButton(QStringLiteral("&Contents"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void CHelpWindow::ShowFile(const std::string& path)
{
    m_browser->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

struct CHelpWindowViewer::Impl {
    IUrlOpener& urlOpener;
    QPointer<QWidget> parent;
    QPointer<CHelpWindow> window;
};

CHelpWindowViewer::CHelpWindowViewer(IUrlOpener& urlOpener, QWidget* parent)
    : m_impl(std::make_unique<Impl>(Impl{urlOpener, parent, nullptr}))
{
}

CHelpWindowViewer::~CHelpWindowViewer()
{
    // A window without a parent is ours to delete.
    if (m_impl->window && !m_impl->window->parent())
        delete m_impl->window.data();
}

void CHelpWindowViewer::ShowHelpFile(const std::string& path)
{
    if (!m_impl->window)
        m_impl->window = new CHelpWindow(m_impl->urlOpener, m_impl->parent);
    m_impl->window->ShowFile(path);
}

CHelpWindow* CHelpWindowViewer::Window() const { return m_impl->window; }
