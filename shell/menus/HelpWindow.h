#pragma once
// The help window: the program's HTML help page in a browser pane, with Back,
// Home and Close. One window serves every F1; it comes to the front again
// when it is already open. Links to other sites open in the user's browser.

#include <QWidget>
#include <memory>
#include <string>

#include "shell/menus/HelpAndLinks.h"

class IUrlOpener;
class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(IUrlOpener& urlOpener, QWidget* parent = nullptr);

    // Loads the page of that path and shows the window.
    void ShowFile(const std::string& path);
    QTextBrowser* Browser() const { return m_browser; }

private:
    IUrlOpener& m_urlOpener;
    QTextBrowser* m_browser = nullptr;
};

// IHelpViewer that opens the page in one CHelpWindow, made on first use.
class CHelpWindowViewer final : public IHelpViewer {
public:
    // parent: the main window, so the help window closes with it.
    CHelpWindowViewer(IUrlOpener& urlOpener, QWidget* parent);
    ~CHelpWindowViewer() override;
    CHelpWindowViewer(const CHelpWindowViewer&) = delete;
    CHelpWindowViewer& operator=(const CHelpWindowViewer&) = delete;

    void ShowHelpFile(const std::string& path) override;
    CHelpWindow* Window() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
