// How reading reacts to what entities answer: newer data is kept as a
// proxy and written back unchanged, a missing subclass marker fails the
// read, a reference to an object that is gone reads as none.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "DrawingFixture.h"
#include "database/io/BinaryDrawing.h"
#include "database/io/DrawingFiles.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/FileProxyEntity.h"

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
        text.replace(p, from.size(), to);
    return text;
}

struct VersionGuard {
    explicit VersionGuard(int v) { TestPipe::sWriteVersion = v; }
    ~VersionGuard() { TestPipe::sWriteVersion = TestPipe::kVersion; }
};

// Saves three test pipes filed with a newer version than the code reads as
// a binary drawing at path, and reads it into loaded.
void loadNewerPipes(const std::string& path, AcDbDatabase& loaded) {
    {
        VersionGuard newer(3);
        AcDbDatabase db;
        fillTestDrawing(&db, 3);
        ASSERT_EQ(orv::io::saveDrawing(&db, path), Acad::eOk);
    }
    std::string message;
    ASSERT_EQ(orv::io::readDrawing(&loaded, path, &message), Acad::eOk) << message;
}

TEST(ProxyEntities, NewerVersionIsKeptAsProxyAndWrittenBackUnchanged) {
    ScratchDir dir;
    AcDbDatabase loaded(false, true);
    ASSERT_NO_FATAL_FAILURE(loadNewerPipes(dir.path("new.dwg"), loaded));
    auto ids = modelSpaceEntities(&loaded);
    ASSERT_EQ(ids.size(), 3u);
    AcDbObjectPointer<AcDbFileProxyEntity> proxy(ids[1], AcDb::kForRead);
    ASSERT_TRUE(proxy) << "newer data must become a proxy";
    EXPECT_EQ(proxy->originalClass().className, "TestPipe");
    EXPECT_EQ(proxy->layer(), "DUCTS");  // the common part is still understood
    proxy.close();
    ASSERT_EQ(orv::io::saveDrawing(&loaded, dir.path("again.dwg")), Acad::eOk);
    EXPECT_EQ(readText(dir.path("new.dwg")), readText(dir.path("again.dwg")));
}

// A proxy's bytes are laid out as the drawing they came from was: saved in
// the current format they keep that older format, so that their class,
// reading them again, reads them as they were written.
TEST(ProxyEntities, BytesFromAnOlderDrawingKeepTheirFormatThroughSaves) {
    ScratchDir dir;
    {
        VersionGuard newer(3);
        AcDbDatabase db;
        fillTestDrawing(&db, 3);
        ASSERT_EQ(orv::io::saveDrawing(&db, dir.path("new.dwg")), Acad::eOk);
    }
    std::string bytes = readText(dir.path("new.dwg"));
    const uint32_t older = 4;
    std::memcpy(bytes.data() + 8, &older, 4);  // the format number follows the 8-byte signature
    orv::io::resealBinaryDrawing(bytes);
    writeText(dir.path("old.dwg"), bytes);

    auto proxyOf = [](AcDbDatabase& db) {
        AcDbObjectPointer<AcDbFileProxyEntity> proxy(modelSpaceEntities(&db).at(1), AcDb::kForRead);
        EXPECT_TRUE(proxy);
        return proxy ? std::pair{proxy->dataFormat(), proxy->binaryData()} : std::pair{0u, std::string()};
    };
    AcDbDatabase loaded(false, true);
    ASSERT_EQ(orv::io::readDrawing(&loaded, dir.path("old.dwg")), Acad::eOk);
    const auto [format, data] = proxyOf(loaded);
    EXPECT_EQ(format, older);
    ASSERT_EQ(orv::io::saveDrawing(&loaded, dir.path("saved.dwg")), Acad::eOk);
    uint32_t savedFormat = 0;
    std::memcpy(&savedFormat, readText(dir.path("saved.dwg")).data() + 8, 4);
    EXPECT_EQ(savedFormat, AcDbDwgMemoryFiler::kCurrentFormatVersion);

    AcDbDatabase back(false, true);
    ASSERT_EQ(orv::io::readDrawing(&back, dir.path("saved.dwg")), Acad::eOk);
    EXPECT_EQ(proxyOf(back), std::pair(older, data));
    // Copies made for undo carry the format too.
    {
        AcDbObjectPointer<AcDbFileProxyEntity> proxy(modelSpaceEntities(&back).at(1), AcDb::kForRead);
        ASSERT_TRUE(proxy);
        AcDbDwgMemoryFiler out(AcDb::kUndoFiler, &back);
        ASSERT_EQ(proxy->dwgOutFields(&out), Acad::eOk);
        AcDbDwgMemoryFiler in(out.data(), [](AcDbHandle) { return AcDbObjectId(); }, AcDb::kUndoFiler, &back);
        AcDbFileProxyEntity copy;
        ASSERT_EQ(copy.dwgInFields(&in), Acad::eOk);
        EXPECT_EQ(copy.dataFormat(), older);
        EXPECT_EQ(copy.binaryData(), data);
    }
}

// Bytes kept from a binary drawing have no DXF form of their class: saved as
// DXF they become a standard proxy entity that carries them, and the DXF
// reads back even where the class is known (as it is here), keeping them.
TEST(ProxyEntities, NewerBinaryDataGoesToDxfAsAProxyEntityAndReadsBack) {
    ScratchDir dir;
    AcDbDatabase loaded(false, true);
    ASSERT_NO_FATAL_FAILURE(loadNewerPipes(dir.path("new.dwg"), loaded));
    std::string bytes;
    {
        AcDbObjectPointer<AcDbFileProxyEntity> proxy(modelSpaceEntities(&loaded).at(1), AcDb::kForRead);
        ASSERT_TRUE(proxy);
        bytes = proxy->binaryData();
    }
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(orv::io::saveDrawing(&loaded, dir.path("proxy.dxf")), Acad::eOk);
    const std::string text = readText(dir.path("proxy.dxf"));
    EXPECT_NE(text.find("\nACAD_PROXY_ENTITY\n"), std::string::npos);
    // Group 91 names the class by its number among the CLASS records, the
    // first being 500: here the test pipe's is the only one.
    EXPECT_NE(text.find("\n 90\n498\n 91\n500\n 93\n" + std::to_string(bytes.size() * 8) + "\n"), std::string::npos);

    AcDbDatabase back(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawing(&back, dir.path("proxy.dxf"), &message), Acad::eOk) << message;
    auto ids = modelSpaceEntities(&back);
    ASSERT_EQ(ids.size(), 3u);
    {
        AcDbObjectPointer<AcDbFileProxyEntity> proxy(ids[1], AcDb::kForRead);
        ASSERT_TRUE(proxy);
        EXPECT_EQ(proxy->layer(), "DUCTS");
        std::string hex;
        for (const auto& [code, value] : proxy->dxfTags())
            if (code == 310) hex += value;
        std::string decoded;
        for (size_t i = 0; i + 1 < hex.size(); i += 2) decoded += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        EXPECT_EQ(decoded, bytes);
    }
    // Through both formats again, unchanged.
    ASSERT_EQ(orv::io::saveDrawing(&back, dir.path("proxy.dwg")), Acad::eOk);
    AcDbDatabase again(false, true);
    ASSERT_EQ(orv::io::readDrawing(&again, dir.path("proxy.dwg")), Acad::eOk);
    ASSERT_EQ(orv::io::saveDrawing(&again, dir.path("again.dxf")), Acad::eOk);
    EXPECT_EQ(readText(dir.path("again.dxf")), text);
}

TEST(ProxyEntities, UnknownDxfEntityKeepsItsTagsAndClass) {
    ScratchDir dir;
    AcDbDatabase db;
    fillTestDrawing(&db, 3);
    ASSERT_EQ(orv::io::saveDrawing(&db, dir.path("a.dxf")), Acad::eOk);
    // Another application's entity: same data under a class nobody here knows.
    std::string text = replaceAll(readText(dir.path("a.dxf")), "TESTPIPE", "OTHERAPP_PIPE");
    text = replaceAll(text, "\nTestPipe\n", "\nOtherAppPipe\n");
    writeText(dir.path("other.dxf"), text);

    AcDbDatabase loaded(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawing(&loaded, dir.path("other.dxf"), &message), Acad::eOk) << message;
    auto ids = modelSpaceEntities(&loaded);
    ASSERT_EQ(ids.size(), 3u);
    {
        AcDbObjectPointer<AcDbFileProxyEntity> proxy(ids[0], AcDb::kForRead);
        ASSERT_TRUE(proxy);
        EXPECT_EQ(proxy->originalClass().className, "OtherAppPipe");
        EXPECT_EQ(proxy->originalClass().appName, "Test Pipe|Tests|example.invalid");
    }
    ASSERT_EQ(orv::io::saveDrawing(&loaded, dir.path("back.dxf")), Acad::eOk);
    EXPECT_EQ(readText(dir.path("back.dxf")), text);
}

TEST(DxfStatus, MissingSubclassMarkerFailsTheReadWithBadSequence) {
    ScratchDir dir;
    AcDbDatabase db;
    fillTestDrawing(&db, 2);
    ASSERT_EQ(orv::io::saveDrawing(&db, dir.path("a.dxf")), Acad::eOk);
    writeText(dir.path("bad.dxf"), replaceAll(readText(dir.path("a.dxf")), "100\nTestPipe\n", ""));
    AcDbDatabase loaded(false, true);
    std::string message;
    EXPECT_EQ(orv::io::readDrawing(&loaded, dir.path("bad.dxf"), &message), Acad::eBadDxfSequence);
    EXPECT_NE(message.find("TESTPIPE"), std::string::npos) << message;
    EXPECT_NE(message.find("line"), std::string::npos) << message;
    // Said in words, not as the status's name.
    EXPECT_NE(message.find("subclass marker is missing"), std::string::npos) << message;
    EXPECT_EQ(message.find("eBadDxfSequence"), std::string::npos) << message;
}

TEST(DwgStatus, ReferenceToObjectNotInTheDataIsAcceptedAsNone) {
    AcDbDatabase db;
    AcDbObjectId layer = addLayer(&db, "GONE", 1);
    TestPipe pipe;
    pipe.key = 9;
    pipe.labelLayer = layer;
    // The undo filer writes references even to erased objects; reading
    // them where the object is unknown gives the null-handle status.
    AcDbDwgMemoryFiler out(AcDb::kUndoFiler, &db);
    ASSERT_EQ(pipe.dwgOutFields(&out), Acad::eOk);
    AcDbDwgMemoryFiler in(out.data(), [](AcDbHandle) { return AcDbObjectId(); }, AcDb::kUndoFiler, &db);
    TestPipe back;
    EXPECT_EQ(back.dwgInFields(&in), Acad::eOk);
    EXPECT_EQ(back.key, 9);
    EXPECT_TRUE(back.labelLayer.isNull());
}

TEST(DwgStatus, ErasedLayerIsWrittenAsNoneAndReadsBackNull) {
    ScratchDir dir;
    AcDbDatabase db;
    registerTestClasses();
    AcDbObjectId layer = addLayer(&db, "TEMP", 2);
    auto* pipe = new TestPipe();
    pipe->labelLayer = layer;
    appendToModelSpace(&db, pipe);
    {
        AcDbObjectPointer<AcDbLayerTableRecord> l(layer, AcDb::kForWrite);
        ASSERT_EQ(l->erase(), Acad::eOk);
    }
    ASSERT_EQ(orv::io::saveDrawing(&db, dir.path("e.dwg")), Acad::eOk);
    AcDbDatabase loaded(false, true);
    ASSERT_EQ(orv::io::readDrawing(&loaded, dir.path("e.dwg")), Acad::eOk);
    AcDbObjectPointer<TestPipe> back(modelSpaceEntities(&loaded).at(0), AcDb::kForRead);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->labelLayer.isNull());
    EXPECT_TRUE(loaded.layerId("TEMP").isNull());
}

TEST(AtomicSave, FailedSaveLeavesTheOldFileAndNoTemporaryFiles) {
    ScratchDir dir;
    AcDbDatabase db;
    fillTestDrawing(&db, 2);
    for (const char* name : {"keep.dwg", "keep.dxf"}) {
        const std::string path = dir.path(name);
        ASSERT_EQ(orv::io::saveDrawing(&db, path), Acad::eOk);
        const std::string before = readText(path);
        TestPipe::sFailWrite = true;
        std::string message;
        Acad::ErrorStatus es = orv::io::saveDrawing(&db, path, &message);
        TestPipe::sFailWrite = false;
        if (std::string(name) == "keep.dwg") {
            EXPECT_NE(es, Acad::eOk);
            EXPECT_NE(message.find("cannot save"), std::string::npos) << message;
        }
        EXPECT_EQ(readText(path), before);
    }
    // Saving into a folder that does not exist fails without a trace.
    std::string message;
    EXPECT_NE(orv::io::saveDrawing(&db, dir.path("no/such/folder.dwg"), &message), Acad::eOk);
    EXPECT_FALSE(message.empty());
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path(""))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u);
}

}  // namespace
