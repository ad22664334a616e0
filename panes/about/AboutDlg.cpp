#include "panes/about/AboutDlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "panes/about/AboutPic.h"
#include "panes/about/HyperLink.h"
#include "panes/about/ProgramArt.h"
#include "panes/about/ProgramInfo.h"
#include "platform/qt/UrlOpener.h"

namespace {

constexpr int kDialogWidth = 320;
constexpr int kIconSize = 32;

const char* const kLegalNotice =
    "This program is provided \"as is\", without warranty of any kind, express or implied, "
    "including but not limited to the warranties of merchantability, fitness for a particular "
    "purpose and noninfringement. In no event shall the authors be liable for any claim, damages "
    "or other liability arising from, out of or in connection with the program or its use.\n\n"
    "Results are computed to the number of significant digits chosen under Options, Max Digits; "
    "check results that matter by other means.";

QString ProductLines()
{
    return QStringLiteral("%1 - Scientific Calculator\nVersion %2\nCopyright (C) %3. All rights reserved.")
        .arg(QString::fromUtf8(kProductName), QString::fromUtf8(kQuillixVersion),
             QString::fromUtf8(kMakerName));
}

}  // namespace

std::string CAboutDlg::AboutPageUrl() { return std::string(kMakerWebSite) + "/index.php?referer=aboutbox"; }

std::string CAboutDlg::LinkTargetUrl()
{
    return std::string(kMakerWebSite) + "/index.php?referer=" + kProductWord;
}

CAboutDlg::CAboutDlg(IUrlOpener& urlOpener, QWidget* parent) : QDialog(parent), m_urlOpener(urlOpener)
{
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(kProductName));
    setObjectName(QStringLiteral("aboutDialog"));
    setFont(QFont(QStringLiteral("Tahoma"), 9));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->setSpacing(8);

    m_banner = new CAboutPic(this);
    m_banner->setObjectName(QStringLiteral("banner"));
    // The banner keeps the picture's proportions across the dialog's width.
    m_banner->setFixedSize(kDialogWidth,
                           kDialogWidth * kAboutBannerSize.height() / kAboutBannerSize.width());
    layout->addWidget(m_banner);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->setSpacing(8);
    layout->addLayout(body);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(10);
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("programIcon"));
    m_icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    m_icon->setFixedSize(kIconSize, kIconSize);
    titleRow->addWidget(m_icon, 0, Qt::AlignTop);
    m_productText = new QLabel(ProductLines(), this);
    m_productText->setObjectName(QStringLiteral("productText"));
    titleRow->addWidget(m_productText, 1);
    body->addLayout(titleRow);

    m_link = new CHyperLink(QStringLiteral("Visit the %1 web site").arg(QString::fromUtf8(kMakerName)), this);
    m_link->setObjectName(QStringLiteral("webLink"));
    m_link->SetTarget(LinkTargetUrl());
    body->addWidget(m_link);
    connect(m_link, &CHyperLink::clicked, this, &CAboutDlg::OnLinkClicked);

    m_legalNotice = new QPlainTextEdit(this);
    m_legalNotice->setObjectName(QStringLiteral("legalNotice"));
    m_legalNotice->setReadOnly(true);
    m_legalNotice->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_legalNotice->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QFont small = m_legalNotice->font();
    small.setPointSize(7);
    m_legalNotice->setFont(small);
    m_legalNotice->setPlainText(QString::fromUtf8(kLegalNotice));
    m_legalNotice->setFixedHeight(72);
    body->addWidget(m_legalNotice);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    body->addWidget(line);

    auto* buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QDialogButtonBox::Ok);
    m_okButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    body->addWidget(buttons);

    // Not resizable: the layout fixes the dialog at its computed size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_okButton->setFocus();
}

void CAboutDlg::OnLinkClicked()
{
    if (m_urlOpener.OpenUrl(AboutPageUrl()))
        m_link->SetVisited(true);
}

void RunAboutBox(IUrlOpener& urlOpener, QWidget* owner)
{
    CAboutDlg dialog(urlOpener, owner);
    dialog.exec();
}
