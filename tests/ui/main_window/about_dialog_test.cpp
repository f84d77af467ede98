// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/about_dialog.h"

#include <QLabel>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace quibel;

// The records' licences require these credits whatever the user's language: the GeoNet
// acknowledgement (CC BY 3.0 NZ) is quoted as GeoNet words it, the CESMD and SCSN ones name
// their networks.
TEST(AboutDialogTest, ShowsTheLicenceLibrariesAndTheCreditsTheRecordsRequire) {
    for (Language language : {Language::English, Language::French}) {
        SCOPED_TRACE(language == Language::English ? "en" : "fr");
        AboutDialog about(language);
        const QString licence = about.findChild<QLabel*>("AboutLicence")->text();
        EXPECT_TRUE(licence.contains("GPL-3.0-or-later"));
        const QString libraries = about.findChild<QLabel*>("AboutLibraries")->text();
        for (const char* library :
             {"Qt ", "LGPL-3.0", "FreeXL", "MPL-1.1", "minizip", "zlib (Zlib)"})
            EXPECT_TRUE(libraries.contains(library)) << library;
        const QString credits = about.findChild<QTextBrowser*>("AboutCredits")->toPlainText();
        for (const char* credit :
             {"We acknowledge the New Zealand GeoNet programme and its sponsors EQC, GNS Science, "
              "LINZ, NEMA and MBIE for providing data used in this program.",
              "CC BY 3.0 NZ", "(CESMD)", "Southern California Seismic Network (SCSN)"})
            EXPECT_TRUE(credits.contains(credit)) << credit;
        EXPECT_TRUE(
            about.findChild<QLabel*>("AboutVersion")->text().contains(AboutDialog::version()));
    }
}
