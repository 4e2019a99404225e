#include "linux_desktop/sway_pointer_placement.h"

#include <unistd.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QPoint>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "linux_desktop/sway_ipc.h"

namespace plimex::linux_desktop {
namespace {

constexpr std::string_view kWhat = "menu placement through sway";
// The menu is already on screen, centred: a sway that is slower than this
// leaves it there rather than keep the program from answering.
constexpr std::chrono::milliseconds kPatience(300);

struct Box {
    int x, y, width, height;
    bool Contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

Box BoxOf(const QJsonObject& node) {
    const QJsonObject rect = node[u"rect"].toObject();
    return {rect[u"x"].toInt(), rect[u"y"].toInt(), rect[u"width"].toInt(),
            rect[u"height"].toInt()};
}

// Depth first through tiled and floating children alike.
std::optional<QJsonObject> FindNode(const QJsonObject& node,
                                    const std::function<bool(const QJsonObject&)>& matches) {
    if (matches(node)) return node;
    for (const char16_t* children : {u"nodes", u"floating_nodes"}) {
        for (const QJsonValue child : node[children].toArray()) {
            if (auto found = FindNode(child.toObject(), matches)) return found;
        }
    }
    return std::nullopt;
}

struct Output {
    Box whole;
    Box forWindows;  // its visible workspace: the output less its bars
};

std::optional<Output> OutputAt(const QJsonObject& tree, int x, int y) {
    for (const QJsonValue value : tree[u"nodes"].toArray()) {
        const QJsonObject output = value.toObject();
        if (!BoxOf(output).Contains(x, y)) continue;
        const auto workspace = FindNode(output, [&](const QJsonObject& node) {
            return node[u"type"].toString() == QLatin1String("workspace") &&
                   node[u"name"] == output[u"current_workspace"];
        });
        if (workspace) return Output{BoxOf(output), BoxOf(*workspace)};
    }
    return std::nullopt;
}

// sway centres the window on the pointer but keeps it inside the output:
// where the window touches an edge of the output, the pointer may be
// anywhere between that edge and the window's middle, and the menu belongs
// against that edge (under a bar at the top, left of the tray's end).
QPoint PointerUnder(const Box& centred, const Box& output) {
    const auto along = [](int start, int size, int edgeStart, int edgeSize) {
        if (start <= edgeStart) return edgeStart;
        if (start + size >= edgeStart + edgeSize) return edgeStart + edgeSize;
        return start + size / 2;
    };
    return {along(centred.x, centred.width, output.x, output.width),
            along(centred.y, centred.height, output.y, output.height)};
}

// Towards low when the window is larger than the room.
int KeepWithin(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

Box MenuBoxAt(int pointerX, int pointerY, int width, int height, const Box& area) {
    const int bottom = area.y + area.height;
    const int y = pointerY + height <= bottom ? pointerY : pointerY - height;
    return {KeepWithin(pointerX, area.x, area.x + area.width - width),
            KeepWithin(y, area.y, bottom - height), width, height};
}

// sway answers a command list with one result per command.
bool Run(SwayIpc& ipc, const QByteArray& command, std::string& failure) {
    const auto reply = ipc.Ask(SwayIpc::Request::kRunCommand, command);
    if (!reply) {
        failure = ipc.failure();
        return false;
    }
    for (const QJsonValue result : reply->array()) {
        if (!result[u"success"].toBool()) {
            failure = "sway refused \"" + command.toStdString() +
                      "\": " + result[u"error"].toString().toStdString();
            return false;
        }
    }
    return true;
}

std::optional<QJsonObject> Tree(SwayIpc& ipc, std::string& failure) {
    auto tree = ipc.Ask(SwayIpc::Request::kGetTree, {});
    if (!tree) failure = ipc.failure();
    return tree ? std::optional(tree->object()) : std::nullopt;
}

bool Place(SwayIpc& ipc, const QString& title, std::string& failure) {
    const qint64 ourPid = ::getpid();
    const auto tree = Tree(ipc, failure);
    if (!tree) return false;
    const auto window = FindNode(*tree, [&](const QJsonObject& node) {
        return node[u"type"].toString() == QLatin1String("floating_con") &&
               node[u"pid"].toInteger() == ourPid && node[u"name"] == title;
    });
    if (!window) {
        failure = "sway floats no window of ours called \"" + title.toStdString() + "\"";
        return false;
    }
    const qint64 id = (*window)[u"id"].toInteger();
    const QByteArray criteria = "[con_id=" + QByteArray::number(id) + "] ";
    // Wayland tells no client where the pointer is outside its own windows;
    // sway can centre the window on it, which shows where it is.
    if (!Run(ipc, criteria + "border none, move position cursor", failure)) return false;
    const auto centred = Tree(ipc, failure);
    if (!centred) return false;
    const auto moved =
        FindNode(*centred, [&](const QJsonObject& node) { return node[u"id"].toInteger() == id; });
    if (!moved) {
        failure = "the window went before it could be placed";
        return false;
    }
    const Box box = BoxOf(*moved);
    const auto output = OutputAt(*centred, box.x + box.width / 2, box.y + box.height / 2);
    if (!output) {
        failure = "the window is on no output of sway's";
        return false;
    }
    const QPoint pointer = PointerUnder(box, output->whole);
    const Box placed =
        MenuBoxAt(pointer.x(), pointer.y(), box.width, box.height, output->forWindows);
    return Run(ipc,
               criteria + "move absolute position " + QByteArray::number(placed.x) + " " +
                   QByteArray::number(placed.y),
               failure);
}

}  // namespace

void PlaceAtPointer(const QString& title, Diagnostics& diagnostics) {
    const char* socketPath = std::getenv("SWAYSOCK");
    if (socketPath == nullptr) return;
    std::string failure;
    auto ipc = SwayIpc::Connect(socketPath, std::chrono::steady_clock::now() + kPatience, failure);
    if (!ipc || !Place(*ipc, title, failure)) {
        diagnostics.ReportFailure(kWhat, socketPath,
                                  failure + "; the menu stays where sway put it");
    }
}

}  // namespace plimex::linux_desktop
