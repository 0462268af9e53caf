// Encoding of recorded primitives as proxy graphics commands: each command
// is its size (with this 8-byte head), its type and its data, 4-byte
// aligned; the whole is preceded by its total size and command count.
#include "database/io/ProxyGraphics.h"

#include <cstdint>
#include <cstring>

#include "database/dbentity.h"
#include "database/io/DxfTags.h"
#include "graphics/AcGiRecordingContext.h"

namespace orv::io {

namespace {

enum Command : uint32_t {
    kCircle = 2,
    kCircularArc = 4,
    kPolyline = 6,
    kColor = 14,
    kUnicodeText = 36,
};

class CommandWriter {
public:
    void begin(uint32_t type) {
        mStart = mOut.size();
        u32(0);
        u32(type);
    }
    void end() {
        while (mOut.size() % 4) mOut.push_back('\0');
        const uint32_t size = static_cast<uint32_t>(mOut.size() - mStart);
        std::memcpy(mOut.data() + mStart, &size, 4);
        ++mCount;
    }
    void u32(uint32_t v) { mOut.append(reinterpret_cast<const char*>(&v), 4); }
    void f64(double v) { mOut.append(reinterpret_cast<const char*>(&v), 8); }
    void point(const AcGePoint3d& p) { f64(p.x), f64(p.y), f64(p.z); }
    void vector(const AcGeVector3d& v) { f64(v.x), f64(v.y), f64(v.z); }
    // UTF-16LE, two zero bytes at the end, then aligned by end().
    void unicode(const std::string& utf8) {
        for (size_t i = 0; i < utf8.size();) {
            const unsigned char c = static_cast<unsigned char>(utf8[i]);
            uint32_t cp = c;
            size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
            if (i + n > utf8.size()) n = 1;
            if (n > 1) {
                cp = c & (0x7F >> n);
                for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            }
            i += n;
            if (cp > 0xFFFF) {
                cp -= 0x10000;
                u16(static_cast<uint16_t>(0xD800 + (cp >> 10)));
                u16(static_cast<uint16_t>(0xDC00 + (cp & 0x3FF)));
            } else {
                u16(static_cast<uint16_t>(cp));
            }
        }
        u16(0);
    }
    std::string finish() const {
        std::string all;
        CommandWriter head;
        head.u32(static_cast<uint32_t>(8 + mOut.size()));
        head.u32(mCount);
        return head.mOut + mOut;
    }
    bool empty() const { return mCount == 0; }

private:
    void u16(uint16_t v) { mOut.append(reinterpret_cast<const char*>(&v), 2); }
    std::string mOut;
    size_t mStart = 0;
    uint32_t mCount = 0;
};

// Text lines of mtext contents without formatting codes.
std::vector<std::string> plainLines(std::string_view contents) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < contents.size(); ++i) {
        const char c = contents[i];
        if (c == '\\' && i + 1 < contents.size()) {
            const char code = contents[i + 1];
            if (code == 'P') {
                lines.emplace_back();
                ++i;
            } else if (code == '\\' || code == '{' || code == '}') {
                lines.back().push_back(code);
                ++i;
            } else {  // \f...; \H...; and the like run to ';'
                const size_t semi = contents.find(';', i);
                i = semi == std::string_view::npos ? i + 1 : semi;
            }
        } else if (c != '{' && c != '}') {
            lines.back().push_back(c);
        }
    }
    return lines;
}

void text(CommandWriter& w, const AcGePoint3d& at, const AcGeVector3d& normal, const AcGeVector3d& direction,
          double height, double widthFactor, double oblique, const std::string& string) {
    w.begin(kUnicodeText);
    w.point(at);
    w.vector(normal);
    w.vector(direction);
    w.f64(height);
    w.f64(widthFactor);
    w.f64(oblique);
    w.unicode(string);
    w.end();
}

}  // namespace

SavedGraphics::SavedGraphics(AcDbEntity* entity) : mEntity(entity) {}
Adesk::UInt32 SavedGraphics::setAttributes(AcGiDrawableTraits* traits) { return mEntity->setAttributes(traits); }
bool SavedGraphics::worldDraw(AcGiWorldDraw* wd) {
    mEntity->saveAs(wd, AcDb::kR13Save);
    return true;
}

std::string proxyGraphicsOf(AcDbEntity* entity) {
    AcGiRecordingContext recording(false);
    SavedGraphics saved(entity);
    if (!entity || !recording.draw(&saved)) return {};
    CommandWriter w;
    int color = -1;
    for (const AcGiRecord& r : recording.records()) {
        if (r.traits.color != color) {
            color = r.traits.color;
            w.begin(kColor);
            w.u32(static_cast<uint32_t>(color));
            w.end();
        }
        if (r.kind == "polyline" || r.kind == "polygon") {
            if (r.points.size() < 2) continue;
            const bool closed = r.kind == "polygon";
            w.begin(kPolyline);
            w.u32(static_cast<uint32_t>(r.points.size() + (closed ? 1 : 0)));
            for (const AcGePoint3d& p : r.points) w.point(p);
            if (closed) w.point(r.points.front());
            w.end();
        } else if (r.kind == "circle") {
            w.begin(kCircle);
            w.point(r.position);
            w.f64(r.radius);
            w.vector(r.normal);
            w.end();
        } else if (r.kind == "arc") {
            w.begin(kCircularArc);
            w.point(r.position);
            w.f64(r.radius);
            w.vector(r.normal);
            w.vector(r.direction);
            w.f64(r.sweep);
            w.u32(0);  // open arc
            w.end();
        } else if (r.kind == "text") {
            text(w, r.position, r.normal, r.direction, r.height, r.width > 0 ? r.width : 1.0, 0.0, r.text);
        } else if (r.kind == "mtext") {
            // Lines from the top left of the frame, at the usual spacing.
            const AcGeVector3d down = r.normal.crossProduct(r.direction).normal() * -1.0;
            AcGePoint3d at = r.position + down * r.height;
            for (const std::string& line : plainLines(r.text)) {
                if (!line.empty()) text(w, at, r.normal, r.direction, r.height, 1.0, 0.0, line);
                at += down * (r.height * 5.0 / 3.0);
            }
        }
    }
    return w.empty() ? std::string() : w.finish();
}

std::string proxyGraphicsTags(const std::string& bytes) {
    if (bytes.empty()) return {};
    DxfTagWriter w;
    w.integer(92, static_cast<int64_t>(bytes.size()));
    static const char* kHex = "0123456789ABCDEF";
    for (size_t at = 0; at < bytes.size(); at += 127) {
        std::string line;
        const size_t n = std::min<size_t>(127, bytes.size() - at);
        line.reserve(n * 2);
        for (size_t k = 0; k < n; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[at + k]);
            line.push_back(kHex[c >> 4]);
            line.push_back(kHex[c & 15]);
        }
        w.string(310, line);
    }
    return std::move(w.data());
}

}  // namespace orv::io
