#pragma once
// The about box: banner, program icon, title and version, the maker's rights,
// a link to the maker's web site and a short legal notice. Fixed size; OK or
// Escape closes it. The link opens the maker's about page through the URL
// service and turns "visited" only when the page could be opened.

#include <QDialog>
#include <string>

class CAboutPic;
class CHyperLink;
class IUrlOpener;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(IUrlOpener& urlOpener, QWidget* parent = nullptr);

    // The address the link's click opens.
    static std::string AboutPageUrl();
    // The address stored in the link itself.
    static std::string LinkTargetUrl();

    CAboutPic* Banner() const { return m_banner; }
    CHyperLink* Link() const { return m_link; }
    QLabel* ProductText() const { return m_productText; }
    QPlainTextEdit* LegalNotice() const { return m_legalNotice; }
    QPushButton* OkButton() const { return m_okButton; }

public slots:
    void OnLinkClicked();

private:
    IUrlOpener& m_urlOpener;
    CAboutPic* m_banner = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_productText = nullptr;
    CHyperLink* m_link = nullptr;
    QPlainTextEdit* m_legalNotice = nullptr;
    QPushButton* m_okButton = nullptr;
};

// Runs the about box modally over owner (the active window).
void RunAboutBox(IUrlOpener& urlOpener, QWidget* owner);
