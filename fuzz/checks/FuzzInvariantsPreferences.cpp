#include "FuzzInvariants.h"
#include "FuzzSupport.h"
#include "InvariantCheck.h"
#include "core/AppPreferences.h"
#include "core/Color.h"
#include "core/JsonValue.h"
#include "storage/AppStorageService.h"

#include <QFile>

namespace FuzzInvariants {

namespace {

Status checkDecoded(const AppPreferences &preferences, const QString &folder)
{
    for (const QString &hex :
        { preferences.palette.wheelBaseHex, preferences.palette.accentHex, preferences.palette.textHex })
        EXPECT_OR_FAIL(colorFromHex(hex).isValid(), hex);
    EXPECT_OR_FAIL(!preferences.audioPath, "the legacy music path survived reading");
    if (preferences.backgroundLibrary.isEmpty()) {
        EXPECT_OR_FAIL(!preferences.activeBackgroundID, "an active background without a library");
    } else {
        const auto active
            = std::find_if(preferences.backgroundLibrary.cbegin(), preferences.backgroundLibrary.cend(),
                [&](const BackgroundMediaItem &item) { return item.id == preferences.activeBackgroundID; });
        EXPECT_OR_FAIL(
            active != preferences.backgroundLibrary.cend(), "the active background is not in the library");
        EXPECT_OR_FAIL(
            preferences.backgroundPath == active->path, "the background path is not the active item's");
    }

    const QString path = AppStorageService::preferencesPath(folder);
    const QByteArray stored = FuzzSupport::fileBytes(path);
    if (!JsonValue::checkFinite(preferences.toJson())) {
        // Nothing JSON cannot hold is ever written, and the old file stays.
        EXPECT_OR_FAIL(
            !AppStorageService::savePreferences(preferences, folder), "a non-finite number was saved");
        EXPECT_OR_FAIL(FuzzSupport::fileBytes(path) == stored, "a failed save changed the file");
        return {};
    }
    const Result<AppPreferences> reread = AppPreferences::fromJson(preferences.toJson());
    EXPECT_OR_FAIL(reread && *reread == preferences, (reread ? QString() : reread.error()));
    EXPECT_OR_FAIL(AppStorageService::savePreferences(preferences, folder), "the save failed");
    const Result<AppPreferences> reloaded = AppStorageService::loadPreferences(folder);
    EXPECT_OR_FAIL(reloaded && *reloaded == preferences, (reloaded ? QString() : reloaded.error()));
    return {};
}

} // namespace

Status preferences(QByteArrayView input, const QString &folder)
{
    const QString path = AppStorageService::preferencesPath(folder);
    EXPECT_OR_FAIL(FuzzSupport::writeFile(path, input), path);
    const Result<AppPreferences> loaded = AppStorageService::loadPreferences(folder);
    EXPECT_OR_FAIL(AppStorageService::hasDecodablePreferences(folder) == loaded.ok(), loaded.ok());
    const Result<QJsonValue> document = FuzzSupport::parsedDocument(input);
    EXPECT_OR_FAIL((document && AppPreferences::fromJson(*document).ok()) == loaded.ok(), loaded.ok());
    // Reading never changes the file, however bad it is.
    EXPECT_OR_FAIL(FuzzSupport::fileBytes(path) == input, "reading changed the file");

    const AppPreferences startup = AppStorageService::startupPreferences(folder);
    EXPECT_OR_FAIL(startup.backgroundLibrary.size() <= AppStorageService::backgroundLibraryLimit,
        startup.backgroundLibrary.size());
    if (loaded)
        RETURN_IF_FAILED(checkDecoded(*loaded, folder));
    QFile::remove(path);
    return {};
}

} // namespace FuzzInvariants
