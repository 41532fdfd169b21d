// Writes the demo documents of samples/: a bilevel G4 plate with numbered callouts and a hotspot
// on each, a small colour plate, and the raw example archive. The output is deterministic, so the
// committed files can be checked against a fresh run.
#include "archive/byte_stream.h"
#include "archive/hotspot_record.h"
#include "archive/primitives.h"
#include "canvas.h"
#include "support/tiff_writer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <tiffio.h>
#include <vector>

namespace platemap::sample {
namespace {

using Bytes = std::vector<std::uint8_t>;

RectHotspot hotspot(std::string id, std::u16string text, HotspotRect rect) {
    RectHotspot record;
    record.id = std::move(id);
    record.text = std::move(text);
    record.rect = rect;
    return record;
}

Bytes archive(const std::vector<RectHotspot>& records) {
    MemoryOutputStream out;
    out.write("ZRVHTF", 6);
    writeString(out, "1.0");
    writeInt32(out, static_cast<std::int32_t>(records.size()));
    for (const RectHotspot& record : records) {
        writeString(out, record.classKey());
        record.write(out);
    }
    return out.bytes();
}

constexpr Colour white{255, 255, 255};
constexpr Colour black{0, 0, 0};

struct Callout {
    const char* id;
    const char16_t* text;
    int bubbleX, bubbleY; // centre of the numbered bubble
    int partX, partY;     // where the leader line points
};

// A centrifugal pump in section: volute, impeller, shaft, bearing housing and flanges.
void drawPump(Canvas& c) {
    const int cx = 560, cy = 520;
    c.circle(cx, cy, 250, 5, black); // volute casing
    c.circle(cx, cy, 232, 2, black);
    c.circle(cx, cy, 170, 4, black); // impeller shroud
    for (int i = 0; i < 6; ++i) {    // vanes
        const double a = i * 3.14159265 / 3;
        c.line(cx + static_cast<int>(55 * std::cos(a)), cy + static_cast<int>(55 * std::sin(a)),
               cx + static_cast<int>(165 * std::cos(a + 0.6)),
               cy + static_cast<int>(165 * std::sin(a + 0.6)), 4, black);
    }
    c.circle(cx, cy, 50, 4, black); // hub
    c.disc(cx, cy, 24, black);      // shaft end
    for (int i = 0; i < 8; ++i) {   // bolt circle
        const double a = i * 3.14159265 / 4 + 0.39;
        c.circle(cx + static_cast<int>(241 * std::cos(a)), cy + static_cast<int>(241 * std::sin(a)),
                 9, 3, black);
    }
    c.rectangle(500, 190, 620, 275, 4, black); // outlet branch
    c.rectangle(470, 160, 650, 190, 4, black); // outlet flange
    c.line(470, 175, 650, 175, 1, black);      // gasket
    c.hatch(474, 163, 646, 172, 7, black);
    c.rectangle(810, 460, 1060, 580, 4, black); // bearing housing
    c.hatch(814, 464, 1056, 500, 9, black);
    c.hatch(814, 540, 1056, 576, 9, black);
    c.line(584, 508, 1180, 508, 3, black); // shaft
    c.line(584, 532, 1180, 532, 3, black);
    c.line(1180, 508, 1180, 532, 3, black);
    c.rectangle(880, 500, 930, 540, 3, black); // ball bearing
    c.circle(905, 520, 12, 3, black);
    c.rectangle(780, 496, 800, 544, 3, black); // shaft seal
    c.line(60, 520, 300, 520, 1, black);       // centre lines
    c.line(820, 520, 1260, 520, 1, black);
    c.line(cx, 120, cx, 800, 1, black);
}

void drawFrame(Canvas& c) {
    c.rectangle(20, 20, c.width() - 21, c.height() - 21, 5, black);
    c.rectangle(960, 830, c.width() - 21, c.height() - 21, 4, black); // title block
    c.line(960, 890, c.width() - 21, 890, 2, black);
    c.text(980, 845, "KREISELPUMPE KP 40", 3, black);
    c.text(980, 905, "TAFEL 17   BLATT 1/1", 3, black);
    c.text(980, 945, "M 1:2   DIN ISO 5199", 2, black);
}

void drawCallout(Canvas& c, int number, const Callout& callout) {
    c.line(callout.bubbleX, callout.bubbleY, callout.partX, callout.partY, 2, black);
    c.disc(callout.partX, callout.partY, 6, black);
    c.disc(callout.bubbleX, callout.bubbleY, 30, white);
    c.circle(callout.bubbleX, callout.bubbleY, 30, 4, black);
    const std::string digits = std::to_string(number);
    c.text(callout.bubbleX - Canvas::textWidth(digits, 4) / 2, callout.bubbleY - 14, digits, 4,
           black);
}

Bytes packBilevel(const Canvas& c) {
    std::vector<std::uint8_t> values;
    values.reserve(static_cast<std::size_t>(c.width()) * c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            values.push_back(c.at(x, y).red < 128 ? 1 : 0); // min-is-white: 1 is ink
    return test::packSamples(values, static_cast<std::uint32_t>(c.width()),
                             static_cast<std::uint32_t>(c.height()), 1);
}

void writeG4Plate(const std::string& path) {
    Canvas c(1400, 1000, white);
    drawPump(c);
    drawFrame(c);
    const Callout callouts[] = {
        {"A11", u"Spiralgeh\u00e4use \u2013 Grauguss EN-GJL-250", 200, 250, 380, 340},
        {"A12", u"Laufrad \u00d8 340 mm, geschlossen", 200, 760, 470, 600},
        {"A13", u"Welle \u00d8 24 h6 \u2013 Edelstahl 1.4021", 1240, 420, 1120, 508},
        {"A14", u"Flanschschraube M12 \u00d7 40 (8 St\u00fcck)", 860, 240, 778, 432},
        {"A15", u"Druckstutzen DN 40 / PN 16", 760, 110, 650, 175},
        {"A16", u"Lagergeh\u00e4use mit Rillenkugellager 6205-2RS", 1000, 700, 960, 580},
        {"A17", u"Dichtung \u00d8 40 \u2013 Gummi", 380, 110, 470, 175},
        {"A18", u"Wellendichtring 24 \u00d7 40 \u00d7 7 \u2013 NBR", 700, 860, 790, 544},
    };
    std::vector<RectHotspot> records;
    int number = 1;
    for (const Callout& callout : callouts) {
        drawCallout(c, number++, callout);
        records.push_back(hotspot(callout.id, callout.text,
                                  {callout.bubbleX - 34, callout.bubbleY - 34, callout.bubbleX + 34,
                                   callout.bubbleY + 34}));
    }
    // The title block: a record without an id, which no viewer frames or links.
    records.push_back(hotspot("", u"Tafel 17 \u2013 Kreiselpumpe KP 40", {960, 830, 1379, 979}));

    test::TiffImage image;
    image.width = static_cast<std::uint32_t>(c.width());
    image.height = static_cast<std::uint32_t>(c.height());
    image.photometric = PHOTOMETRIC_MINISWHITE;
    image.bitsPerSample = 1;
    image.compression = COMPRESSION_CCITTFAX4;
    image.rowsPerStrip = image.height;
    image.xResolution = 200.0f;
    image.yResolution = 200.0f;
    image.resolutionUnit = RESUNIT_INCH;
    image.pixels = packBilevel(c);
    image.hotspotTag = archive(records);
    test::writeTiff(path, image);
}

void writeColourPlate(const std::string& path) {
    Canvas c(480, 320, white);
    for (int y = 0; y < c.height(); ++y) // a pale sky behind the installation
        c.line(0, y, c.width() - 1, y, 1,
               Colour{static_cast<std::uint8_t>(214 + y * 41 / 320),
                      static_cast<std::uint8_t>(232 + y * 23 / 320), 255});
    const Colour steel{90, 96, 110}, water{40, 110, 200}, red{200, 40, 40}, green{30, 150, 70},
        brass{190, 150, 40};
    c.fill(40, 60, 150, 250, Colour{220, 225, 235}); // tank
    c.fill(44, 130, 146, 246, water);
    c.rectangle(40, 60, 150, 250, 3, steel);
    c.line(150, 220, 440, 220, 9, steel); // suction and delivery pipes
    c.line(440, 220, 440, 60, 9, steel);
    c.disc(250, 220, 34, red); // pump
    c.circle(250, 220, 34, 3, black);
    c.disc(250, 220, 8, black);
    for (const int x : {340, 410}) // valves
        c.fill(x - 14, 206, x + 14, 234, x == 340 ? green : brass);
    c.rectangle(326, 206, 354, 234, 2, black);
    c.rectangle(396, 206, 424, 234, 2, black);
    c.line(340, 206, 340, 186, 3, black);
    c.line(330, 186, 350, 186, 3, black);
    c.text(40, 270, "ANLAGE 3", 2, black);
    const std::vector<RectHotspot> records = {
        hotspot("B1", u"Vorratsbeh\u00e4lter 200 l", {40, 60, 150, 250}),
        hotspot("B2", u"Kreiselpumpe KP 40 \u2013 1,5 kW", {216, 186, 284, 254}),
        hotspot("B3", u"Kugelhahn DN 25", {326, 186, 354, 234}),
        hotspot("B4", u"R\u00fcckschlagventil DN 25 \u2013 Messing", {396, 206, 424, 234}),
    };

    test::TiffImage image;
    image.width = static_cast<std::uint32_t>(c.width());
    image.height = static_cast<std::uint32_t>(c.height());
    image.photometric = PHOTOMETRIC_RGB;
    image.samplesPerPixel = 3;
    image.compression = COMPRESSION_LZW;
    image.predictor = 2;
    image.xResolution = 96.0f;
    image.yResolution = 96.0f;
    image.resolutionUnit = RESUNIT_INCH;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            image.pixels.insert(image.pixels.end(),
                                {c.at(x, y).red, c.at(x, y).green, c.at(x, y).blue});
    image.hotspotTag = archive(records);
    test::writeTiff(path, image);
}

void writeExampleArchive(const std::string& path) {
    const Bytes bytes = archive({hotspot("A1", u"Pump", {10, 20, 110, 80})});
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace
} // namespace platemap::sample

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample OUTPUT_FOLDER\n");
        return 1;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        platemap::sample::writeG4Plate(folder + "plate-g4.itf");
        platemap::sample::writeColourPlate(folder + "plate-colour.itf");
        platemap::sample::writeExampleArchive(folder + "example-archive.zrv");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample: %s\n", e.what());
        return 2;
    }
    return 0;
}
