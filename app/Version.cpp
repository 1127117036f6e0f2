#include "Version.h"

#include "VersionConfig.h"

QString VersionText()
{
    const QString text = QStringLiteral(VELMORA_VERSION_STRING);
    if (!text.isEmpty())
        return text;
    // No version string: build the text from the fixed version numbers.
    return FormatFixedVersion(VELMORA_VERSION_MS, VELMORA_VERSION_LS);
}

QString FormatFixedVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(mostSignificant >> 16)
        .arg(mostSignificant & 0xFFFFu)
        .arg(leastSignificant >> 16)
        .arg(leastSignificant & 0xFFFFu);
}
