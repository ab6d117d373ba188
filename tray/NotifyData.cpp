#include "tray/NotifyData.h"

namespace zol {

QByteArray FitTip(const QString& tip) {
    QByteArray bytes = tip.toUtf8();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        bytes.truncate(zero);
    }
    if (bytes.size() <= NotifyData::TipBytes) {
        return bytes;
    }
    qsizetype cut = NotifyData::TipBytes;
    // A continuation byte at the cut means a character starts before it: drop it whole.
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    bytes.truncate(cut);
    return bytes;
}

} // namespace zol
