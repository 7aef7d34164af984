#pragma once

#include <QString>

// Shell open of a file, folder, web address or "mailto:" address with the
// application the desktop registers for it. The outcome is not examined.
class TMisc {
public:
    // A target wrapped in double quotes is unwrapped; a local path is opened
    // as a file URL, anything with a scheme as it stands.
    static void Open(const QString &bersaglio);
};
