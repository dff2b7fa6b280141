#include "backend.h"
#include "transport.h"
#include "utf8path.h"

#include <filesystem>
#include <system_error>

namespace tqbridge {
namespace {

class FolderBackend final : public Backend
{
public:
    explicit FolderBackend(std::string root)
        : root(std::move(root))
    {
    }

    void poll(BackendHost &host) override
    {
        std::error_code error;
        const bool present = std::filesystem::is_directory(pathFromUtf8(root), error);
        if (present && !host.attached())
            host.attach(makeFolderTransport(root));
        else if (!present && host.attached())
            host.detach();
    }

    std::chrono::milliseconds period() const override { return std::chrono::milliseconds(100); }

private:
    std::string root;
};

} // namespace

std::unique_ptr<Backend> makeFolderBackend(std::string root)
{
    return std::make_unique<FolderBackend>(std::move(root));
}

} // namespace tqbridge
