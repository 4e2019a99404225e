#include "linux_desktop/sway_ipc.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QJsonArray>
#include <cstring>
#include <thread>

#include "posix/scratch_folder.h"

namespace plimex::linux_desktop {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

QByteArray Reply(std::string_view magic, std::uint32_t type, const QByteArray& payload) {
    const std::uint32_t fields[2] = {static_cast<std::uint32_t>(payload.size()), type};
    return QByteArray(magic.data(), static_cast<qsizetype>(magic.size())) +
           QByteArray(reinterpret_cast<const char*>(fields), sizeof(fields)) + payload;
}

// A stand-in for sway that takes one request and sends back the bytes given,
// or nothing at all, holding the connection open.
class FakeSway {
  public:
    explicit FakeSway(std::optional<QByteArray> reply)
        : socket_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path().c_str());
        ::bind(socket_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        ::listen(socket_.get(), 1);
        server_ = std::thread([this, reply] {
            posix::UniqueFd client(::accept(socket_.get(), nullptr, nullptr));
            char request[64];
            ::recv(client.get(), request, sizeof(request), 0);
            if (reply) ::send(client.get(), reply->data(), static_cast<size_t>(reply->size()), 0);
            ::recv(client.get(), request, sizeof(request), 0);  // until the client goes
        });
    }
    ~FakeSway() { server_.join(); }
    std::string path() const { return folder_ / "sway.sock"; }

  private:
    ScratchFolder folder_;
    posix::UniqueFd socket_;
    std::thread server_;
};

TEST(SwayIpc, AnswersOrFailsWithinTheDeadline) {
    const struct {
        const char* name;
        std::optional<QByteArray> reply;
        bool answered;
        std::string_view failure;
    } cases[] = {
        {"sway", Reply("i3-ipc", 0, R"([{"success": true}])"), true, ""},
        {"silent", std::nullopt, false, "sway did not answer in time"},
        {"not sway", Reply("HTTP/1", 0, "{}"), false, "the reply is not sway's"},
        {"not JSON", Reply("i3-ipc", 0, "[{"), false, "the reply is not JSON"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSway sway(c.reply);
        const auto started = steady_clock::now();
        std::string failure;
        auto ipc = SwayIpc::Connect(sway.path(), started + milliseconds(300), failure);
        ASSERT_TRUE(ipc) << failure;
        const auto reply = ipc->Ask(SwayIpc::Request::kRunCommand, "nop");
        EXPECT_LT(steady_clock::now() - started, milliseconds(800));
        EXPECT_EQ(reply.has_value(), c.answered);
        if (reply) {
            EXPECT_TRUE(reply->array()[0][u"success"].toBool());
        }
        EXPECT_EQ(ipc->failure().substr(0, c.failure.size()), c.failure);
        ipc.reset();  // lets the stand-in end
    }
}

TEST(SwayIpc, ConnectFailsWithoutSway) {
    std::string failure;
    EXPECT_FALSE(SwayIpc::Connect("/nonexistent/sway.sock", steady_clock::now(), failure));
    EXPECT_EQ(failure, "cannot connect: No such file or directory");
}

}  // namespace
}  // namespace plimex::linux_desktop
