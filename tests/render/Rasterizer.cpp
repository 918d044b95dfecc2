#include "tests/render/Rasterizer.h"

#include <png.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace varnholt::test {
namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

// The pHYs chunk read from the file's bytes: pixels per metre, unit 1 for metres.
double DpiOf(const std::string& bytes) {
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        const std::uint32_t length = BigEndian(bytes, at);
        if (bytes.compare(at + 4, 4, "pHYs") == 0 && length == 9 && bytes[at + 16] == 1) {
            return BigEndian(bytes, at + 8) * 0.0254;
        }
        at += 12 + length;
    }
    return 0.0;
}

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varnholt-render-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
        path_ = pattern;
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

}  // namespace

PngPicture ReadPng(const std::string& bytes) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
        throw std::runtime_error("not a PNG");
    }
    png.format = PNG_FORMAT_GRAY;
    PngPicture picture;
    picture.image.width = static_cast<int>(png.width);
    picture.image.height = static_cast<int>(png.height);
    picture.image.pixels.resize(PNG_IMAGE_SIZE(png));
    // Transparent pixels are seen on white, as on paper.
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, picture.image.pixels.data(), 0, nullptr)) {
        throw std::runtime_error("unreadable PNG");
    }
    picture.dpi = DpiOf(bytes);
    return picture;
}

GreyImage Rasterize(const std::string& bytes, render::FileFormat format, double dpi) {
    if (format == render::FileFormat::Png) {
        return ReadPng(bytes).image;
    }
    TemporaryFolder folder;
    const std::string input = folder.File("symbol." + std::string(render::NameOf(format)));
    const std::string output = folder.File("picture.png");
    std::ofstream(input, std::ios::binary) << bytes;
    const std::string resolution = std::to_string(static_cast<int>(dpi));
    switch (format) {
        case render::FileFormat::Svg:
            Run("rsvg-convert --dpi-x " + resolution + " --dpi-y " + resolution +
                " --background-color white -o " + output + " " + input);
            break;
        case render::FileFormat::Pdf:
            Run("pdftoppm -r " + resolution + " -gray -png -singlefile " + input + " " +
                folder.File("picture"));
            break;
        case render::FileFormat::Eps:
            // Smoothed, as image converters call it; plain Ghostscript widens every fill.
            Run("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -dGraphicsAlphaBits=4 "
                "-dTextAlphaBits=4 -sDEVICE=pnggray -r" +
                resolution + " -sOutputFile=" + output + " " + input);
            break;
        case render::FileFormat::Png:
            break;
    }
    return ReadPng(ReadFile(output)).image;
}

bool XmlLintPasses(const std::string& text) {
    TemporaryFolder folder;
    const std::string file = folder.File("symbol.svg");
    std::ofstream(file, std::ios::binary) << text;
    return std::system(("xmllint --noout " + file + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace varnholt::test
