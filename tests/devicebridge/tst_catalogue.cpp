// The ringtone catalogue: property lists written by libplist read back equal,
// unknown content survives changes, hostile input fails cleanly.
#include "catalogue.h"

#include <plist/plist.h>

#include <QTest>

#include <cstdlib>

using namespace tqbridge;

namespace {

std::string toBytes(plist_t root, bool binary)
{
    char *bytes = nullptr;
    uint32_t length = 0;
    if (binary)
        plist_to_bin(root, &bytes, &length);
    else
        plist_to_xml(root, &bytes, &length);
    std::string out(bytes, length);
    std::free(bytes);
    plist_free(root);
    return out;
}

// A catalogue as a phone might hold it, with keys of its own at every level.
plist_t phoneCatalogue()
{
    plist_t root = plist_new_dict();
    plist_t ringtones = plist_new_dict();
    const char *names[] = {"Zulu", "a&lt;b&gt;", "\xc3\xa9t\xc3\xa9"};
    const char *files[] = {"QQQQ.m4r", "AAAA.m4r", "MMMM.m4r"};
    for (int i = 0; i < 3; ++i) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "Name", plist_new_string(names[i]));
        plist_dict_set_item(entry, "GUID", plist_new_string("0123456789ABCDEF"));
        // Lengths as other programs may write them: a number of either
        // kind, or none.
        if (i == 0)
            plist_dict_set_item(entry, "Total Time", plist_new_uint(1000));
        else if (i == 2)
            plist_dict_set_item(entry, "Total Time", plist_new_real(2500.7));
        plist_dict_set_item(entry, "Media Kind", plist_new_string("ringtone"));
        plist_dict_set_item(ringtones, files[i], entry);
    }
    plist_dict_set_item(root, "Ringtones", ringtones);
    plist_dict_set_item(root, "Sync Anchor", plist_new_uint(42));
    return root;
}

std::vector<Catalogue::Entry> entriesOf(const Catalogue &catalogue)
{
    std::vector<Catalogue::Entry> entries;
    for (int i = 0; i < catalogue.size(); ++i)
        entries.push_back(*catalogue.entry(i));
    return entries;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWhatLibplistWrote_data();
    void readsWhatLibplistWrote();
    void hostileInputFails_data();
    void hostileInputFails();
    void textThatIsNotUtf8();
    void copyCutsAtCharacterBoundary_data();
    void copyCutsAtCharacterBoundary();
};

void TestCatalogue::readsWhatLibplistWrote_data()
{
    QTest::addColumn<bool>("binary");
    QTest::newRow("binary") << true;
    QTest::newRow("xml") << false;
}

void TestCatalogue::readsWhatLibplistWrote()
{
    QFETCH(bool, binary);
    auto catalogue = Catalogue::parse(toBytes(phoneCatalogue(), binary));
    QVERIFY(catalogue);
    QCOMPARE(catalogue->isBinary(), binary);
    const std::vector<Catalogue::Entry> expected = {
        {"QQQQ.m4r", "Zulu", 1000}, {"AAAA.m4r", "a&lt;b&gt;", 0}, {"MMMM.m4r", "\xc3\xa9t\xc3\xa9", 2500}};
    QVERIFY(entriesOf(*catalogue) == expected);

    // A rename changes the name only, a new length the length only;
    // everything else survives, in order.
    QVERIFY(catalogue->rename(1, "renamed"));
    QVERIFY(!catalogue->rename(3, "none"));
    QVERIFY(catalogue->setTotalTime(2, 4321));
    QVERIFY(!catalogue->setTotalTime(3, 1));
    const std::string written = catalogue->serialize();
    QCOMPARE(plist_is_binary(written.data(), uint32_t(written.size())) != 0, binary);
    auto again = Catalogue::parse(written);
    QVERIFY(again);
    QCOMPARE(again->entry(1)->name, std::string("renamed"));
    QCOMPARE(again->entry(2)->fileName, std::string("MMMM.m4r"));
    QCOMPARE(again->entry(2)->totalTimeMs, int64_t(4321));
    QCOMPARE(again->entry(2)->name, std::string("\xc3\xa9t\xc3\xa9"));
    QCOMPARE(again->entry(0)->totalTimeMs, int64_t(1000));
    QVERIFY(again->hasGuid("0123456789ABCDEF"));
    const std::string xml = [&] {
        Catalogue copy = std::move(*again);
        copy.remove(0);
        return copy.serialize();
    }();
    plist_t root = nullptr;
    plist_from_memory(xml.data(), uint32_t(xml.size()), &root);
    QVERIFY(root);
    uint64_t anchor = 0;
    plist_get_uint_val(plist_dict_get_item(root, "Sync Anchor"), &anchor);
    QCOMPARE(anchor, uint64_t(42));
    plist_t entry = plist_dict_get_item(plist_dict_get_item(root, "Ringtones"), "AAAA.m4r");
    QVERIFY(plist_dict_get_item(entry, "Media Kind"));
    QCOMPARE(plist_dict_get_size(plist_dict_get_item(root, "Ringtones")), 2u);
    plist_free(root);
}

void TestCatalogue::hostileInputFails_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const std::string good = toBytes(phoneCatalogue(), true);
    QTest::newRow("empty") << QByteArray();
    for (size_t cut : {8u, 40u, 100u})
        QTest::addRow("binary cut at %zu", cut) << QByteArray::fromStdString(good.substr(0, cut));
    QTest::newRow("binary trailer pointing past the end")
        << QByteArray::fromStdString(good.substr(0, good.size() - 8) + std::string(8, '\xff'));

    plist_t nested = plist_new_array();
    for (int i = 0; i < 3000; ++i) {
        plist_t outer = plist_new_array();
        plist_array_append_item(outer, nested);
        nested = outer;
    }
    plist_t deepRoot = plist_new_dict();
    plist_dict_set_item(deepRoot, "Ringtones", plist_new_dict());
    plist_dict_set_item(deepRoot, "Deep", nested);
    QTest::newRow("deeply nested binary") << QByteArray::fromStdString(toBytes(deepRoot, true));

    plist_t wrong = plist_new_dict();
    plist_dict_set_item(wrong, "Ringtones", plist_new_array());
    QTest::newRow("ringtones is an array") << QByteArray::fromStdString(toBytes(wrong, true));

    plist_t slash = plist_new_dict();
    plist_t ringtones = plist_new_dict();
    plist_dict_set_item(ringtones, "a/b.m4r", plist_new_dict());
    plist_dict_set_item(slash, "Ringtones", ringtones);
    QTest::newRow("file name with a folder") << QByteArray::fromStdString(toBytes(slash, false));

    QByteArray huge = "<?xml version=\"1.0\"?><plist><dict><key>x</key><string>";
    huge += QByteArray(int(Catalogue::kMaxBytes), 'x');
    huge += "</string></dict></plist>";
    QTest::newRow("huge") << huge;
    // libplist aborts on a dictionary key with a NUL inside (found by the fuzzer).
    QTest::newRow("NUL inside a binary key") << QByteArray::fromHex(
            "62706c6973743030d2011702185e52696e67746f6e6573d2030f041058414243442e6d3472d50507090b0d06080a0c0e"
            "54475549445f101030313233343536373839414243444546544e616d65680061003c0062003e0a2000e9007400e95350"
            "494413ffffffff0321be4e5f101150726f74656374656420436f6e74656e74085a544f74ad0000000000000071485857"
            "58595a2e6d3472d2071211135442656c6c5a4d65646961204b6934662200606100000102223fc000003341c1de0c4000"
            "0000a5ac86919cdfbe8d63686f721007080d177a1c25303548000000000000000000000000000000004d5e626b7f808b"
            "8e979ca1acb0b4b9c2ce00000000000001010000000000000019000000000000000000000000000000d0");
    QTest::newRow("NUL inside an xml key")
        << QByteArray("<plist><dict><key>Ringtones</key><dict><key>A&#x00;B</key><dict/></dict></dict></plist>");
    QTest::newRow("unclosed xml") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>Ringtones</key><dict>");
}

void TestCatalogue::hostileInputFails()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!Catalogue::parse(bytes.toStdString()));
}

void TestCatalogue::textThatIsNotUtf8()
{
    // A stray byte, a surrogate and a code point above U+10FFFF: one
    // replacement character per byte that cannot start a character.
    std::string replaced;
    for (int i = 0; i < 7; ++i)
        replaced += "\xef\xbf\xbd";
    QCOMPARE(validUtf8("a\xdf" "b\xc3\xa9\xed\xa0\x80\xf4\x90\x80\x80"),
             "a\xef\xbf\xbd" "b\xc3\xa9" + replaced);
    // Names the bridge stores are always UTF-8.
    Catalogue catalogue;
    catalogue.add("AAAA.m4r", "bad\xff", "0123456789ABCDEF", 1, 2);
    QCOMPARE(catalogue.entry(0)->name, std::string("bad\xef\xbf\xbd"));
    QVERIFY(catalogue.serializeVerified());

    // A phone's catalogue with such text elsewhere reads, but libplist would
    // write it back broken: the bridge refuses to write it.
    // (The fuzzer's find: a GUID holding the byte 0xdf.)
    const QByteArray found = QByteArray::fromHex(
        "62706c6973743030d2011702185952696e67746f6e6573d2030f041058414243442e6d3472d50507090b0d06080a0c0e"
        "54475549445f1010df313233343536373839414243444546544e616d65680061003c0062003e0a2000e9007400e95350"
        "494413ffffffff0321be4e5f101150726f74656374656420436f6e74656e74085a546f74616c2054696d651171485857"
        "58595a2e6d3472d2071211135442656c6c5a4d65646961204b696e64a314151643000102223fc000003341c1de0c4000"
        "00005b53796e6320416e63686f721007080d171c253035484d5e626b7f808b8e979ca1acb0b4b9c2ce00000000000001"
        "010000000000000019000000000000000000000000000000d0");
    auto odd = Catalogue::parse(found.toStdString());
    QVERIFY(odd);
    QVERIFY(!odd->serializeVerified());
}

void TestCatalogue::copyCutsAtCharacterBoundary_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray e = "\xc3\xa9";       // two bytes
    const QByteArray note = "\xf0\x9f\x8e\xb5"; // four bytes
    QTest::newRow("fits") << QByteArray("abc") << 4 << QByteArray("abc");
    QTest::newRow("cut ascii") << QByteArray("abcdef") << 4 << QByteArray("abc");
    QTest::newRow("cut before a two-byte char") << ("ab" + e) << 4 << QByteArray("ab");
    QTest::newRow("two-byte char fits") << ("ab" + e) << 5 << ("ab" + e);
    QTest::newRow("cut inside a four-byte char") << ("a" + note + "b") << 5 << QByteArray("a");
    QTest::newRow("capacity one") << e << 1 << QByteArray();
}

void TestCatalogue::copyCutsAtCharacterBoundary()
{
    QFETCH(QByteArray, text);
    QFETCH(int, capacity);
    QFETCH(QByteArray, expected);
    std::vector<char> buffer(size_t(capacity) + 1, '#');
    copyUtf8(text.toStdString(), buffer.data(), capacity);
    QCOMPARE(QByteArray(buffer.data()), expected);
    QCOMPARE(buffer[size_t(capacity)], '#'); // nothing written past the capacity
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
