// The archive check against a schema with shared and polymorphic pointers:
// everything the library writes passes, each forgery that would crash or
// confuse the library's reader is refused before the reader sees it.

#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"

#include <boost/serialization/base_object.hpp>
#include <boost/serialization/deque.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/shared_ptr.hpp>
#include <boost/serialization/string.hpp>

#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <memory>

namespace {

struct Leaf {
    int value = 0;
    template <class A> void serialize(A& ar, unsigned) { ar & BOOST_SERIALIZATION_NVP(value); }
};

struct Shape {
    virtual ~Shape() = default;
    virtual int Sides() const = 0;
    int id = 0;
    template <class A> void serialize(A& ar, unsigned) { ar & BOOST_SERIALIZATION_NVP(id); }
};

struct Circle : Shape {
    int Sides() const override { return 0; }
    std::shared_ptr<Leaf> radius;
    template <class A> void serialize(A& ar, unsigned)
    {
        ar & boost::serialization::make_nvp("Shape", boost::serialization::base_object<Shape>(*this));
        ar & BOOST_SERIALIZATION_NVP(radius);
    }
};

struct Square : Shape {
    int Sides() const override { return 4; }
    int side = 0;
    template <class A> void serialize(A& ar, unsigned)
    {
        ar & boost::serialization::make_nvp("Shape", boost::serialization::base_object<Shape>(*this));
        ar & BOOST_SERIALIZATION_NVP(side);
    }
};

struct Scene {
    std::shared_ptr<Leaf> first;
    std::deque<std::shared_ptr<Leaf>> leaves;
    std::deque<std::shared_ptr<Shape>> shapes;
    std::string name;
    template <class A> void serialize(A& ar, unsigned)
    {
        ar & BOOST_SERIALIZATION_NVP(first);
        ar & BOOST_SERIALIZATION_NVP(leaves);
        ar & BOOST_SERIALIZATION_NVP(shapes);
        ar & BOOST_SERIALIZATION_NVP(name);
    }
};

}  // namespace

BOOST_SERIALIZATION_ASSUME_ABSTRACT(Shape)
BOOST_CLASS_EXPORT_GUID(Circle, "Circle")
BOOST_CLASS_EXPORT_GUID(Square, "Square")

namespace {

const ArchiveSchema& SceneSchema()
{
    static const ArchiveSchema* schema = [] {
        auto* s = new ArchiveSchema;
        ArchiveType* leaf = s->Class("Leaf", 0, true);
        ArchiveSchema::AddMember(leaf, "value", s->Int());
        ArchiveType* shape = s->Class("Shape");
        shape->abstract = true;
        ArchiveSchema::AddMember(shape, "id", s->Int());
        ArchiveType* circle = s->Class("Circle", 0, true);
        circle->exportKey = "Circle";
        ArchiveSchema::AddMember(circle, "Shape", shape);
        ArchiveSchema::AddMember(circle, "radius", s->SharedPtr(leaf));
        ArchiveType* square = s->Class("Square", 0, true);
        square->exportKey = "Square";
        ArchiveSchema::AddMember(square, "Shape", shape);
        ArchiveSchema::AddMember(square, "side", s->Int());
        shape->derived = {circle, square};
        ArchiveType* scene = s->Class("Scene");
        ArchiveSchema::AddMember(scene, "first", s->SharedPtr(leaf));
        ArchiveSchema::AddMember(scene, "leaves", s->Sequence(s->SharedPtr(leaf)));
        ArchiveSchema::AddMember(scene, "shapes", s->Sequence(s->SharedPtr(shape)));
        ArchiveSchema::AddMember(scene, "name", s->String());
        s->AddTopLevel("Scene", scene);
        return s;
    }();
    return *schema;
}

// A scene with a null pointer, a leaf shared three times, a circle shared
// twice, and the polymorphic classes each met first through the base pointer.
std::string SceneArchive()
{
    Scene scene;
    auto leaf = std::make_shared<Leaf>();
    leaf->value = 7;
    scene.leaves = {leaf, leaf, std::make_shared<Leaf>()};
    auto circle = std::make_shared<Circle>();
    circle->id = 1;
    circle->radius = leaf;
    auto square = std::make_shared<Square>();
    square->id = 2;
    square->side = 3;
    scene.shapes = {circle, square, circle, std::make_shared<Square>()};
    scene.name = "a <b> & \"c\"";
    return WriteXmlArchive([&](auto& ar) { ar << boost::serialization::make_nvp("Scene", scene); });
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "the archive lacks " << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST(ArchiveCheck, AcceptsWhatTheLibraryWritesAndTheReaderRestoresSharing)
{
    const std::string bytes = SceneArchive();
    const ArchiveCheckResult check = CheckArchive(bytes, SceneSchema());
    ASSERT_TRUE(check.ok) << check.error << "\n" << bytes;
    EXPECT_EQ(check.libraryVersion, 18u);

    Scene loaded;
    ASSERT_TRUE(ReadXmlArchive(bytes, [&](auto& ar) { ar >> boost::serialization::make_nvp("Scene", loaded); }));
    EXPECT_EQ(loaded.first, nullptr);
    ASSERT_EQ(loaded.leaves.size(), 3u);
    EXPECT_EQ(loaded.leaves[0], loaded.leaves[1]);
    EXPECT_EQ(loaded.leaves[0]->value, 7);
    ASSERT_EQ(loaded.shapes.size(), 4u);
    EXPECT_EQ(loaded.shapes[0], loaded.shapes[2]);
    EXPECT_EQ(loaded.shapes[1]->Sides(), 4);
    EXPECT_EQ(dynamic_cast<Circle&>(*loaded.shapes[0]).radius, loaded.leaves[0]);
    EXPECT_EQ(loaded.name, "a <b> & \"c\"");
}

TEST(ArchiveCheck, AcceptsTheOldestLayoutWithoutItemVersions)
{
    std::string bytes = Replace(SceneArchive(), "archive\" version=\"18\"", "archive\" version=\"3\"");
    for (auto at = bytes.find("<item_version>"); at != std::string::npos; at = bytes.find("<item_version>")) {
        const auto end = bytes.find("</item_version>", at);
        bytes.erase(at, end + std::string("</item_version>").size() - at);
    }
    const ArchiveCheckResult check = CheckArchive(bytes, SceneSchema());
    ASSERT_TRUE(check.ok) << check.error;
    Scene loaded;
    ASSERT_TRUE(ReadXmlArchive(bytes, [&](auto& ar) { ar >> boost::serialization::make_nvp("Scene", loaded); }));
    EXPECT_EQ(loaded.shapes.size(), 4u);
    EXPECT_EQ(loaded.leaves[0], loaded.leaves[1]);
}

struct Forgery {
    const char* what;
    const char* from;
    const char* to;
};

class ArchiveForgery : public ::testing::TestWithParam<Forgery> {};

TEST_P(ArchiveForgery, IsRefusedBeforeTheReader)
{
    const Forgery& f = GetParam();
    const std::string forged = Replace(SceneArchive(), f.from, f.to);
    const ArchiveCheckResult check = CheckArchive(forged, SceneSchema());
    EXPECT_FALSE(check.ok) << f.what;
    EXPECT_FALSE(check.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Forgeries, ArchiveForgery,
    ::testing::Values(
        Forgery{"new class id out of sequence", "class_id=\"6\" class_name=\"Circle\"", "class_id=\"9\" class_name=\"Circle\""},
        Forgery{"huge class id", "class_id=\"6\" class_name=\"Circle\"", "class_id=\"2147483647\" class_name=\"Circle\""},
        Forgery{"object reference to an object of another class", "<px class_id_reference=\"6\" object_id_reference=\"_2\">", "<px class_id_reference=\"6\" object_id_reference=\"_0\">"},
        Forgery{"object reference to a later object", "<px class_id_reference=\"6\" object_id_reference=\"_2\">", "<px class_id_reference=\"6\" object_id_reference=\"_9\">"},
        Forgery{"class reference to a class of another type", "<radius>\n\t\t\t\t\t<px class_id_reference=\"2\" object_id_reference=\"_0\">", "<radius>\n\t\t\t\t\t<px class_id_reference=\"6\" object_id_reference=\"_2\">"},
        Forgery{"class reference to a by-value class", "<px class_id_reference=\"6\" object_id_reference=\"_2\">", "<px class_id_reference=\"3\" object_id_reference=\"_2\">"},
        Forgery{"class reference where the class is new", "<px class_id=\"8\" class_name=\"Square\"", "<px class_id_reference=\"8\" class_name=\"Square\""},
        Forgery{"new object id out of sequence", "<px class_id_reference=\"2\" object_id=\"_1\">", "<px class_id_reference=\"2\" object_id=\"_7\">"},
        Forgery{"exported class defined twice", "class_name=\"Square\"", "class_name=\"Circle\""},
        Forgery{"unknown class name", "class_name=\"Square\"", "class_name=\"Triangle\""},
        Forgery{"count of 10^9", "<count>3</count>", "<count>1000000000</count>"},
        Forgery{"count of -1", "<count>3</count>", "<count>-1</count>"},
        Forgery{"count smaller than the items", "<count>3</count>", "<count>2</count>"},
        Forgery{"missing closing root tag", "</boost_serialization>", ""},
        Forgery{"later archive version", "archive\" version=\"18\"", "archive\" version=\"19\""},
        Forgery{"too old archive version", "archive\" version=\"18\"", "archive\" version=\"2\""},
        Forgery{"wrong signature", "serialization::archive", "serialization::archivf"},
        Forgery{"other root", "<boost_serialization ", "<boost_serializatio "},
        Forgery{"later class version", "tracking_level=\"1\" version=\"0\" object_id=\"_0\"", "tracking_level=\"1\" version=\"5\" object_id=\"_0\""},
        Forgery{"wrong tracking level", "tracking_level=\"1\" version=\"0\" object_id=\"_0\"", "tracking_level=\"0\" version=\"0\" object_id=\"_0\""},
        Forgery{"class information given twice", "<Shape>\n\t\t\t\t\t<id>2</id>", "<Shape class_id=\"9\" tracking_level=\"0\" version=\"0\">\n\t\t\t\t\t<id>2</id>"},
        Forgery{"wrong item version", "<item_version>1</item_version>", "<item_version>0</item_version>"},
        Forgery{"integer with junk", "<value>7</value>", "<value>7x</value>"},
        Forgery{"integer out of range", "<value>7</value>", "<value>99999999999</value>"},
        Forgery{"unknown entity", "&amp;", "&foo;"},
        Forgery{"empty-element tag", "<name>", "<name/><name>"},
        Forgery{"misnamed item", "<side>3</side>", "<sides>3</sides>"},
        Forgery{"misnamed top-level item", "<Scene ", "<Scenery "},
        Forgery{"an unexpected attribute", "<Scene class_id=\"0\"", "<Scene foo=\"1\" class_id=\"0\""},
        Forgery{"something after the root", "</boost_serialization>", "</boost_serialization><more></more>"},
        Forgery{"a comment", "<Scene ", "<!-- x --><Scene "}),
    [](const ::testing::TestParamInfo<Forgery>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(ArchiveCheck, RefusesEveryCutBeforeTheClosingRootTag)
{
    const std::string bytes = SceneArchive();
    const auto end = bytes.find("</boost_serialization>") + std::string("</boost_serialization>").size();
    for (std::size_t n = 0; n < end; ++n)
        ASSERT_FALSE(CheckArchive(bytes.substr(0, n), SceneSchema()).ok) << "cut at " << n;
}

TEST(ArchiveCheck, ReportsTheMembersCompleteBeforeAFault)
{
    const std::string bytes = SceneArchive();
    const auto cutAt = bytes.find("<shapes");
    const std::string cut = bytes.substr(0, cutAt + 10);
    const ArchiveCheckResult check = CheckArchive(cut, SceneSchema());
    ASSERT_FALSE(check.ok);
    EXPECT_EQ(check.completeMembers, (std::vector<std::string>{"first", "leaves"}));
    const std::string closed = CutAfterCompleteMembers(cut, check, SceneSchema());
    // The closed cut holds the two members and nothing of the third.
    EXPECT_EQ(closed.find("<shapes"), std::string::npos);
    EXPECT_NE(closed.find("</leaves>"), std::string::npos);
    EXPECT_NE(closed.find("</boost_serialization>"), std::string::npos);
    Scene loaded;
    EXPECT_FALSE(ReadXmlArchive(closed, [&](auto& ar) { ar >> boost::serialization::make_nvp("Scene", loaded); }));
    EXPECT_EQ(loaded.leaves.size(), 3u);
}

}  // namespace
