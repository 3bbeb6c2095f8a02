#include "store.h"

#include "savegame/durable.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>

extern "C" {
void tessal_mount_store(const char* folder);
void tessal_refresh_store(const char* folder);
char* tessal_store_file(const char* folder, const char* file);
}

namespace tessal {

namespace {

// Emscripten starts a program with the umask 0777: every file made would be unwritable, and a
// saved game could never be replaced. A Linux login starts with 022.
[[gnu::constructor]] void startWithTheUsualUmask() {
    ::umask(022);
}

} // namespace

// A file outside the stored folder lives in memory only: there is nothing more to do for it.
std::optional<std::string> makeDurable(const std::string& path) {
    if (!std::string_view(path).starts_with(std::string(web::kStoreFolder) + "/"))
        return std::nullopt;
    char* failure = tessal_store_file(web::kStoreFolder, path.c_str());
    if (!failure)
        return std::nullopt;
    std::string reason = std::string("le navigateur n'a pas pu la garder (") + failure + ")";
    std::free(failure);
    return reason;
}

namespace web {

void mountStore() {
    tessal_mount_store(kStoreFolder);
}

void refreshFromStore() {
    tessal_refresh_store(kStoreFolder);
}

} // namespace web

} // namespace tessal
