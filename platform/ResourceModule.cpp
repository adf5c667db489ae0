#include "platform/ResourceModule.h"

#include "platform/FileBytes.h"
#include "platform/Paths.h"

#include <QFile>
#include <QResource>
#include <cctype>

namespace {

// The program's own resources sit under one root, a loaded bundle under another, so that each
// module finds only its own pictures.
QString OwnRoot()
{
    return QStringLiteral(":/Lantile/");
}

QString BundleRoot()
{
    return QStringLiteral("/MjRes");
}

constexpr size_t kMostBundleBytes = 64u << 20;
constexpr size_t kMostResourceBytes = 16u << 20;

uint32_t Be(const std::vector<uint8_t> &b, uint64_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | b[at + i];
    return v;
}

// The layout the toolkit's resource compiler writes: a header ("qres", version, then the offsets of
// the node tree, the data and the names), nodes of 14 bytes (22 from version 2 on, with a time),
// names as a length, a hash and UTF-16 characters, and each resource's data after its length.
bool IsWholeBundle(const std::vector<uint8_t> &b)
{
    constexpr uint32_t kDirectory = 0x02;
    const uint64_t size = b.size();
    auto inside = [size](uint64_t at, uint64_t length) { return at <= size && length <= size - at; };
    if (size < 20 || b[0] != 'q' || b[1] != 'r' || b[2] != 'e' || b[3] != 's')
        return false;
    const uint32_t version = Be(b, 4, 4);
    // Version 3 adds a word of flags to the header.
    if (version < 1 || version > 3 || (version == 3 && size < 24))
        return false;
    const uint64_t tree = Be(b, 8, 4), data = Be(b, 12, 4), names = Be(b, 16, 4);
    const uint64_t nodeSize = version == 1 ? 14 : 22;
    std::vector<uint64_t> pending{0};
    // A walk through more nodes than the file holds goes round in circles.
    for (uint64_t walked = 0; !pending.empty(); ++walked) {
        if (walked > size / nodeSize)
            return false;
        const uint64_t node = pending.back();
        pending.pop_back();
        const uint64_t at = tree + node * nodeSize;
        if (!inside(at, nodeSize))
            return false;
        const uint64_t name = names + Be(b, at, 4);
        // The root's name is never read.
        if (node != 0 && !(inside(name, 6) && inside(name + 6, 2 * uint64_t(Be(b, name, 2)))))
            return false;
        // Only plain files and folders: nothing the toolkit would have to decompress.
        const uint32_t flags = Be(b, at + 4, 2);
        if (flags != 0 && flags != kDirectory)
            return false;
        if (flags == kDirectory) {
            const uint64_t count = Be(b, at + 6, 4), first = Be(b, at + 10, 4);
            if (count == 0)
                continue;
            if (!inside(tree + first * nodeSize, count * nodeSize))
                return false;
            for (uint64_t child = first; child < first + count; ++child)
                pending.push_back(child);
        } else {
            const uint64_t bytes = data + Be(b, at + 10, 4);
            if (!inside(bytes, 4) || !inside(bytes + 4, Be(b, bytes, 4)))
                return false;
        }
    }
    return true;
}

} // namespace

ResourceModule ResourceModule::Load(const std::string &file)
{
    ResourceModule module;
    auto bytes = std::make_unique<std::vector<uint8_t>>();
    if (FileBytes::Read(file, kMostBundleBytes, *bytes) != FileBytes::ReadStatus::Ok ||
        bytes->size() == kMostBundleBytes || !IsWholeBundle(*bytes) ||
        !QResource::registerResource(bytes->data(), BundleRoot()))
        return module;
    // The bytes stay registered for as long as a copy of the module holds them, and no longer.
    module.bundle_.reset(bytes.release(), [](const std::vector<uint8_t> *registered) {
        QResource::unregisterResource(registered->data(), BundleRoot());
        delete registered;
    });
    return module;
}

std::string ResourceModule::Name(std::string_view path)
{
    std::string key = Paths::Relative(path);
    for (char &c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void ResourceModule::Free()
{
    bundle_.reset();
}

bool ResourceModule::Read(std::string_view path, std::vector<uint8_t> &out) const
{
    QFile file((bundle_ ? ":" + BundleRoot() + "/" : OwnRoot()) + QString::fromStdString(Name(path)));
    if (!file.open(QIODevice::ReadOnly) || file.size() > qint64(kMostResourceBytes))
        return false;
    QByteArray bytes = file.readAll();
    out.assign(bytes.begin(), bytes.end());
    return true;
}
