#include "core/dropped_link.h"

#include <QMimeData>
#include <QUrl>

namespace pelquin {

QString droppedAddress(const QMimeData &data)
{
    if (data.hasUrls()) {
        for (const QUrl &url : data.urls()) {
            if (!url.isEmpty())
                return url.toString();
        }
    }
    return data.text();
}

bool carriesAddress(const QMimeData &data) { return data.hasText() || data.hasUrls(); }

}  // namespace pelquin
