#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Where pictures are kept as resources: the program's own, compiled into it, or a resource bundle
// file (a toolkit binary resource file) registered while the program runs and unregistered after.
class ResourceModule {
public:
    // The program's own resources.
    ResourceModule() = default;

    // Registers the bundle file; the program's own module when the file is missing, damaged or not
    // a bundle, so that nothing is read from a file that could not be checked whole.
    static ResourceModule Load(const std::string &file);
    // Lets go of a loaded bundle, which is unregistered once no copy holds it; the module is the
    // program's own again. A module must not be holding a bundle when the program ends.
    void Free();
    bool IsOwn() const { return bundle_ == nullptr; }

    // The bytes of the resource named by the picture's path (relative, or under the program folder);
    // false when the module has none of that name.
    bool Read(std::string_view path, std::vector<uint8_t> &out) const;

    // The name a picture is kept under: its relative path in lower case with slashes
    // ("Graphic\DeskMj.bmp" is "graphic/deskmj.bmp"). The data generator names resources by it too.
    static std::string Name(std::string_view path);

private:
    // The registered bytes, which the toolkit reads in place.
    std::shared_ptr<const std::vector<uint8_t>> bundle_;
};
