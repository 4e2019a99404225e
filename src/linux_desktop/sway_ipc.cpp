#include "linux_desktop/sway_ipc.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace plimex::linux_desktop {
namespace {

constexpr std::string_view kMagic = "i3-ipc";
// The magic, then the payload's length and the message's type, in the
// machine's own byte order.
constexpr std::size_t kHeaderSize = kMagic.size() + 2 * sizeof(std::uint32_t);
// get_tree of a busy session is tens of kilobytes; anything far beyond is not sway.
constexpr std::uint32_t kLargestReply = 64 * 1024 * 1024;

std::string ErrnoText() {
    return std::generic_category().message(errno);
}

}  // namespace

std::optional<SwayIpc> SwayIpc::Connect(const std::string& socketPath,
                                        std::chrono::steady_clock::time_point deadline,
                                        std::string& failure) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof(address.sun_path)) {
        failure = "unusable socket path \"" + socketPath + "\"";
        return std::nullopt;
    }
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    posix::UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    // A local socket connects at once or not at all.
    if (!socket.valid() || ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address),
                                     sizeof(address)) != 0) {
        failure = "cannot connect: " + ErrnoText();
        return std::nullopt;
    }
    return SwayIpc(std::move(socket), deadline);
}

std::optional<QJsonDocument> SwayIpc::Ask(Request request, const QByteArray& payload) {
    QByteArray message(kMagic.data(), static_cast<qsizetype>(kMagic.size()));
    const std::array<std::uint32_t, 2> fields = {static_cast<std::uint32_t>(payload.size()),
                                                 static_cast<std::uint32_t>(request)};
    message.append(reinterpret_cast<const char*>(fields.data()), sizeof(fields));
    message.append(payload);
    std::array<char, kHeaderSize> header{};
    if (!Send(message) || !Receive(header.data(), header.size())) return std::nullopt;
    std::array<std::uint32_t, 2> replyFields{};
    std::memcpy(replyFields.data(), header.data() + kMagic.size(), sizeof(replyFields));
    if (std::string_view(header.data(), kMagic.size()) != kMagic ||
        replyFields[1] != static_cast<std::uint32_t>(request) || replyFields[0] > kLargestReply) {
        Failed("the reply is not sway's");
        return std::nullopt;
    }
    QByteArray reply(static_cast<qsizetype>(replyFields[0]), Qt::Uninitialized);
    if (!Receive(reply.data(), reply.size())) return std::nullopt;
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(reply, &error);
    if (error.error != QJsonParseError::NoError) {
        Failed("the reply is not JSON: " + error.errorString().toStdString());
        return std::nullopt;
    }
    return document;
}

bool SwayIpc::WaitFor(short events) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline_ - std::chrono::steady_clock::now());
        if (left.count() <= 0) return Failed("sway did not answer in time");
        pollfd watched{socket_.get(), events, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return Failed("poll: " + ErrnoText());
    }
}

bool SwayIpc::Send(const QByteArray& bytes) {
    for (qsizetype sent = 0; sent < bytes.size();) {
        if (!WaitFor(POLLOUT)) return false;
        const ssize_t written = ::send(socket_.get(), bytes.data() + sent,
                                       static_cast<std::size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return Failed("send: " + ErrnoText());
        }
        if (written > 0) sent += written;
    }
    return true;
}

bool SwayIpc::Receive(char* into, std::size_t size) {
    for (std::size_t received = 0; received < size;) {
        if (!WaitFor(POLLIN)) return false;
        const ssize_t read = ::recv(socket_.get(), into + received, size - received, 0);
        if (read == 0) return Failed("sway closed the connection");
        if (read < 0 && errno != EAGAIN && errno != EINTR) {
            return Failed("recv: " + ErrnoText());
        }
        if (read > 0) received += static_cast<std::size_t>(read);
    }
    return true;
}

bool SwayIpc::Failed(std::string reason) {
    failure_ = std::move(reason);
    return false;
}

}  // namespace plimex::linux_desktop
