#include "platform/qt/UrlOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace {

class CDesktopUrlOpener final : public IUrlOpener {
public:
    bool OpenUrl(const std::string& url) override
    {
        const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
        if (!address.isValid() || address.scheme().isEmpty())
            return false;
        return QDesktopServices::openUrl(address);
    }
};

}  // namespace

IUrlOpener& DesktopUrlOpener()
{
    static CDesktopUrlOpener opener;
    return opener;
}
