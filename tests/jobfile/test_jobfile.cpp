// Job files: a round trip keeps every field, a damaged file opens nothing, unknown fields survive, and a save
// that fails leaves the old file whole.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "host/jobfile/JobFile.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"
#include "host/model/SampleJob.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"

namespace
{

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

fs::path SourceDir()
{
    if (const char* dir = std::getenv("PDTDLG_TEST_SOURCE_DIR"))
        return dir;
    return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// GBK bytes of "仓库" (warehouse) and of "数量" (quantity): a Chinese job holds its text this way.
const char kGbkWarehouse[] = "\xB2\xD6\xBF\xE2";
const char kGbkQuantity[] = "\xCA\xFD\xC1\xBF";
// Bytes that are no GBK text at all: a lone lead byte and a byte GBK leaves unused.
const char kNotGbk[] = "A\x81\xFF";

// A Chinese job with a node of every kind, every page field away from a new node's value, links with every
// condition and action, two records, a terminal with a keymap of its own and changed job settings.
std::unique_ptr<JobDocument> MakeFullJob()
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_nLanguage = 1;
    doc->m_language.nDBFontCode = 1;
    HostRecord* rec = doc->AddRecord(CString(kGbkWarehouse) + " records", "C:\\Jobs\\R1.DAT", 7);
    HostRecord* other = doc->AddRecord("Second", "C:\\Jobs\\R2.DAT");
    rec->m_strComment = "one\r\ntwo";
    rec->m_nFieldSeparator = 9;
    rec->m_nRecordTerminator = 0xFF;
    rec->m_strPreamble = "PRE";
    rec->m_strPostamble = "POST";
    rec->m_bDisableEOREnforcement = TRUE;
    other->m_strComment = kNotGbk;
    doc->m_nDefaultRecord = other->m_nID;

    int n = 0;
    for (int kind : NODE_KIND_SLOTS)
    {
        ++n;
        HostNode* node = doc->AddNode(kind, CString(kGbkQuantity) + char('0' + n), 10 + n);
        node->m_ptPosition = CPoint(30 * n, 1000 - 40 * n);
        node->m_strDescription = "described";
        node->m_bGlobalAccess = TRUE;
        node->m_bExcludeFromMakeJob = n % 2;
        node->m_crColour = RGB(n, 2 * n, 3 * n);
        node->m_strComment = kNotGbk;
        node->m_strScreenText = CString(kGbkWarehouse) + "\r\nF1";
        node->m_bNoClearOnExit = node->m_bNoClearBeforeDisplay = node->m_bHideCursor = TRUE;
        auto& p = node->m_position;
        p = {true, true, 3, 4, "#", true, 5, 6, true, true, true};
        CollectSettings& c = node->m_collect;
        c.nDataType = DATA_FLOAT;
        c.bAllowEmpty = c.bFillTail = c.bSameAsLast = c.bTimer = true;
        c.nTimeFormat = TIME_DATETIME;
        c.nDateType = 4;
        c.bScanner = false;
        c.bAutoTrigger = c.bDoubleScan = c.bScannerOff = c.bMixKeypad = true;
        c.bKeypad = c.bCompleteWithEnter = c.bAlphabet = c.bDigits = false;
        c.bSymbols = c.bFromFormula = c.bFromLookupFile = c.bUseDefault = true;
        c.strFormula = "A+B";
        c.nLookupNodeID = 11;
        c.nLookupFieldNo = 3;
        c.strDefaultValue = "dflt";
        c.bVerifyLength = c.bVerifyPicture = c.bVerifyRange = c.bNoBeep = c.bNoErrorSign = c.bNoReinput = true;
        c.nLengthFrom = 2;
        c.nLengthTo = 12;
        c.strPicture = "99-AA";
        c.strRangeFrom = "10";
        c.strRangeTo = "90";
        node->m_dwVerifyFlags = VERIFY_LOOKUPFILE;
        node->m_strVerifyLookupFile = "C:\\Jobs\\LOOK.DAT";
        c.nVerifyFieldNo = 2;
        c.nVerifyTotalFields = 4;
        c.nFieldSeparator = ';';
        c.bFullKeyMatch = c.bSearchFromCurrent = c.bBinarySearch = c.bVerifyQualifier = c.bSetBarcode = true;
        c.strQualifier = "Q";
        for (Symbology& s : c.symbologies)
            s = Symbology{WORD(s.wData | 0x300), s.wData % 3 == 0};
        CountSettings& k = node->m_count;
        k.bCopyLast = true;
        k.bSetNewValue = false;
        k.nValueSource = VALUE_FORMULA;
        k.strConstant = "5";
        k.nDataNodeID = 12;
        k.strFormula = "X*2";
        k.bInitByLinks = true;
        k.operations[0] = CountOperation{OP_MULTIPLY, true, "3", 13};
        k.operations[1] = CountOperation{OP_RESET, true, "4", 14};
        node->m_lfFont.lfHeight = -20;
        node->m_lfFont.lfItalic = 1;
        node->m_lfFont.lfCharSet = 134;
        std::strcpy(node->m_lfFont.lfFaceName, "SimSun");
        node->m_bUseDefaultFont = FALSE;
        node->m_crText = RGB(1, 2, 3);
        node->m_crBack = CLR_DEFAULT;
        node->m_nReferenceNode = 11;
        node->m_nRecordID = rec->m_nID;
        node->m_strDataFile = "C:\\Jobs\\R1.DAT";
        node->m_bUploadAll = FALSE;
        node->m_bSendCtrlZ = TRUE;
        node->m_nBaudRate = 38400;
        node->m_strProtocol = "Direct";
        node->m_bDeleteWholeFile = FALSE;
        node->m_bBrowseFromLast = TRUE;
        node->m_nFieldSeparator = 9;
        node->m_strProgram = "A = 1\r\n\tB = 2";
        node->m_strJobFile = "C:\\Jobs\\Next.job";
        node->m_strStartNode = "Begin";
        node->m_nHotKey = IDC_KEY_F8;
    }
    doc->SetStartNode(doc->FindNode(13));
    rec->m_arrFields.Add(12);
    rec->m_arrFields.Add(13);

    const int conditions[] = {LINK_NO_CONDITION, LINK_KEY, LINK_INPUT_DATA, LINK_VERIFY, LINK_EXPRESSION};
    for (int i = 0; i < 5; ++i)
    {
        HostLink* link = doc->AddLink(11 + i, 12 + i, 100 + i);
        link->m_nCondition = conditions[i];
        link->m_strKey = "F3";
        link->m_strInputData = kGbkWarehouse;
        link->m_nVerifyResult = VERIFY_FAIL;
        link->m_strExpression = "A > 1";
        link->m_bEOR = link->m_bINIT = link->m_bRRLI = link->m_bAlarm = link->m_bExcludeFromMakeJob = TRUE;
        link->m_nRecordID = rec->m_nID;
    }
    doc->AddLink(19, 19, 0xFFFF); // a loop on the last id there is

    HostTerminal& t = doc->Terminal();
    t.m_strModel = "R-50G";
    t.m_nFontSize = SCREEN_FONT_LARGE;
    t.m_nScannerType = SCANNER_PEN;
    t.m_nBuzzerVolume = BUZZER_OFF;
    t.m_bUseMyKeymap = TRUE;
    t.m_keymap[0].byKeyCode = 0x7E;
    std::memcpy(t.m_keymap[200].szKeyName, "ZZZZ", 5);
    t.m_keymap[200].wKeyID = 4000;

    JobSettings& s = doc->m_settings;
    s.bNoEscTerminate = s.bJobEngineLog = s.bSkipSearchTable = s.bSkipFont = s.bNoLookupDownload = TRUE;
    s.bSkipJobNameFile = s.bNoAutoDownload = s.bFastSpeed = s.bVersion4Job = s.bLargeWindow = TRUE;
    s.chAddress = '5';
    s.nNodeHeight = 60;
    s.nNodeWidth = 140;
    s.nPageHeight = 3000;
    s.nPageWidth = 4000;
    for (int i = 0; i < JC_COUNT; ++i)
        s.crColours[i] = RGB(10 * i, 255 - i, 7);
    doc->m_crScreenBackground = RGB(0, 0, 0x80);
    s.crColours[JC_SCREEN] = doc->m_crScreenBackground;

    JobLanguageSettings& l = doc->m_language;
    l.strFontFile = "C:\\Fonts\\gb.fnt";
    l.bShareFont = TRUE;
    l.strDBFontFace = kGbkWarehouse;
    l.strDBFontStyle = "Bold";
    l.nDBFontSize = 16;
    l.nDBFontOffsetX = -2;
    l.nDBFontOffsetY = 3;
    for (FlowchartFont& f : l.fonts)
        f = FlowchartFont{"Noto Sans", 11};
    l.strConfirmExit = kGbkQuantity;
    l.strTotal = "Sum";
    l.strWait = kNotGbk;

    doc->m_nLastOptionID = 2101;
    doc->m_nLastOptionSub = 3;
    doc->m_nLastGlobalJobOption = 4;
    doc->m_nLastJobOption = 5;
    doc->m_nLastPortableOption = 6;
    for (int i = 0; i < NODE_KIND_COUNT; ++i)
        doc->m_nLastNodeOption[i] = 2000 + i;
    doc->m_bExpandScreen = doc->m_bExpandInput = doc->m_bExpandVerify = doc->m_bExpandCountInitial = 1;
    doc->m_bExpandCountOp1 = doc->m_bExpandCountOp2 = doc->m_bExpandLinkIn = doc->m_bExpandLinkOut = 1;
    return doc;
}

std::unique_ptr<JobDocument> Parse(const std::string& text)
{
    std::string error;
    auto doc = ParseJobText(text, &error);
    EXPECT_TRUE(doc) << error;
    return doc;
}

TEST(JobFile, RoundTripOfAJobWithEveryKindAndFieldKeepsItAll)
{
    auto job = MakeFullJob();
    std::string text = FormatJobText(*job);
    auto back = Parse(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(FormatJobText(*back), text);
    // The text itself is a different job from a new one in every group.
    JobDocument fresh;
    for (const char* key : {"language", "settings", "view", "terminal"})
        EXPECT_NE(Json::parse(text)[key], Json::parse(FormatJobText(fresh))[key]) << key;

    // What a writer that only knew the common shapes would lose on the way.
    HostNode* comment = back->FindNode(11);
    ASSERT_TRUE(comment);
    EXPECT_EQ(comment->m_nKind, NODE_COMMENT);
    EXPECT_EQ(comment->m_strName, CString(kGbkQuantity) + "1");  // double-byte bytes exactly
    EXPECT_EQ(comment->m_strComment, kNotGbk);                      // bytes no code page reads
    EXPECT_STREQ(comment->m_lfFont.lfFaceName, "SimSun");
    EXPECT_EQ(comment->m_lfFont.lfItalic, 1);
    EXPECT_EQ(comment->m_crBack, COLORREF(CLR_DEFAULT));
    EXPECT_EQ(comment->m_ptPosition, CPoint(30, 960));
    HostNode* count = back->FindNode(14);
    EXPECT_EQ(count->m_count.operations[1].nDataNodeID, 14);
    EXPECT_EQ(count->m_collect.symbologies[2].wData, 0x303);
    EXPECT_TRUE(count->m_collect.symbologies[2].bEnabled);
    EXPECT_TRUE(back->FindNode(13)->m_bStartNode);
    EXPECT_FALSE(back->FindNode(12)->m_bStartNode);
    EXPECT_EQ(back->Terminal().m_keymap[0].byKeyCode, 0x7E);
    EXPECT_EQ(std::string(back->Terminal().m_keymap[200].szKeyName, 5), std::string("ZZZZ\0", 5));
    EXPECT_EQ(back->m_crScreenBackground, RGB(0, 0, 0x80));
    EXPECT_EQ(back->m_language.strWait, kNotGbk);
    EXPECT_EQ(back->m_nLastNodeOption[8], 2008);
    EXPECT_EQ(back->m_nDefaultRecord, 8);
    EXPECT_EQ(back->FindRecord(7)->m_arrFields.GetSize(), 2);
    EXPECT_TRUE(back->FindRecord(7)->m_bDisableEOREnforcement);
    EXPECT_TRUE(back->FindLink(104)->m_bRRLI);
    EXPECT_EQ(back->FindLink(0xFFFF)->m_nFromNodeID, 19);
    EXPECT_FALSE(back->IsModified());

    // The double-byte text is readable in the file: UTF-8 where the code page reads it, hex where it does not.
    EXPECT_NE(text.find("\"\xE6\x95\xB0\xE9\x87\x8F" "1\""), std::string::npos); // "数量1"
    EXPECT_NE(text.find("{\"hex\": \"4181FF\"}"), std::string::npos);
}

TEST(JobFile, TheSampleFilesAreTheSampleJobs)
{
    for (const auto& [name, make] : {std::pair{"sample.pdtjob", &MakeSampleJob}, std::pair{"Receive.pdtjob", &MakeReceiveJob}})
    {
        fs::path path = SourceDir() / "samples" / name;
        std::string expected = FormatJobText(*make());
        if (std::getenv("PDTDLG_WRITE_SAMPLE")) // how the files are made again when the sample jobs change
            WriteFile(path, expected);
        std::string error;
        auto loaded = LoadJobFile(path.string(), &error);
        ASSERT_TRUE(loaded) << name << ": " << error;
        EXPECT_EQ(FormatJobText(*loaded), expected) << "run jobfile_tests with PDTDLG_WRITE_SAMPLE=1 to write " << name;
        EXPECT_EQ(ReadFile(path), expected) << name;
        EXPECT_EQ(loaded->m_strPathName, path.string().c_str());
    }
}

// Each case: a change to a good job file's JSON (or a whole text), and what the one message must say.
struct Damage
{
    const char* name;
    std::function<void(Json&)> change; // null: `text` is the whole file
    const char* text;
    std::vector<const char*> says;
};

TEST(JobFile, ADamagedOrForeignFileGivesOneMessageWithItsPlaceAndNoJob)
{
    const std::string good = FormatJobText(*MakeSampleJob());
    const Damage cases[] = {
        {"truncated", nullptr, nullptr, {"line ", "column ", "a text's closing quote is missing"}},
        {"not JSON", nullptr, "PK\x03\x04 zip", {"line 1, column 1: not a job file"}},
        {"empty", nullptr, "", {"line 1, column 1: the file is empty"}},
        {"a JSON array", nullptr, "[1, 2]", {"not a job file"}},
        {"foreign JSON", [](Json& j) { j.erase("format"); }, nullptr, {"format: not a job file"}},
        {"newer major version", [](Json& j) { j["version"] = "2.0"; }, nullptr, {"version: 2.0", "newer"}},
        {"version not a version", [](Json& j) { j["version"] = "one"; }, nullptr, {"version: must be \"MAJOR.MINOR\""}},
        {"version a number", [](Json& j) { j["version"] = 1; }, nullptr, {"version: must be text, not a number"}},
        {"unknown code page", [](Json& j) { j["codePage"] = 12; }, nullptr, {"codePage: 12 is not a code page"}},
        {"invalid UTF-8",
         nullptr,
         "{\"format\": \"pdtdlg job\", \"version\": \"1.0\", \"x\": \"\xC3\x28\"}",
         {"line 1, column", "UTF-8"}},
        {"nodes an object", [](Json& j) { j["nodes"] = Json::object(); }, nullptr, {"nodes: must be an array"}},
        {"node a number", [](Json& j) { j["nodes"][2] = 5; }, nullptr, {"nodes[2]: must be an object"}},
        {"node without id", [](Json& j) { j["nodes"][3].erase("id"); }, nullptr, {"nodes[3]: has no \"id\""}},
        {"node id text", [](Json& j) { j["nodes"][3]["id"] = "4"; }, nullptr, {"nodes[3].id: must be a whole number"}},
        {"node id zero", [](Json& j) { j["nodes"][3]["id"] = 0; }, nullptr, {"nodes[3].id: 0 is out of range"}},
        {"unknown kind", [](Json& j) { j["nodes"][1]["kind"] = 9; }, nullptr, {"nodes[1].kind: 9 is not a node kind"}},
        {"name a number", [](Json& j) { j["nodes"][0]["name"] = 5; }, nullptr, {"nodes[0].name: must be text"}},
        {"flag a number",
         [](Json& j) { j["nodes"][1]["collect"]["allowEmpty"] = 1; },
         nullptr,
         {"nodes[1].collect.allowEmpty: must be true or false, not a number"}},
        {"count a fraction",
         [](Json& j) { j["nodes"][1]["collect"]["lengthFrom"] = 6.5; },
         nullptr,
         {"nodes[1].collect.lengthFrom: must be a whole number, not a fraction"}},
        {"group a list",
         [](Json& j) { j["nodes"][1]["collect"] = Json::array(); },
         nullptr,
         {"nodes[1].collect: must be an object"}},
        {"bad hex text",
         [](Json& j) {
             j["nodes"][0]["notes"] = {{"hex", "4G"}};
         },
         nullptr,
         {"nodes[0].notes: hex text holds a character that is not a hex digit"}},
        {"bad colour",
         [](Json& j) { j["nodes"][0]["colour"] = "red"; },
         nullptr,
         {"nodes[0].colour: must be a colour \"#RRGGBB\""}},
        {"position of three",
         [](Json& j) {
             j["nodes"][0]["position"] = {1, 2, 3};
         },
         nullptr,
         {"nodes[0].position: must be [x, y]"}},
        {"duplicate node id",
         [](Json& j) { j["nodes"][4]["id"] = j["nodes"][1]["id"]; },
         nullptr,
         {"nodes[4].id: node id 2 is used twice"}},
        {"link to a missing node",
         [](Json& j) { j["links"][3]["to"] = 17; },
         nullptr,
         {"links[3].to: no node with id 17"}},
        {"link without its start",
         [](Json& j) { j["links"][0].erase("from"); },
         nullptr,
         {"links[0]: has no \"from\""}},
        {"link id beyond 16 bits",
         [](Json& j) { j["links"][0]["id"] = 70000; },
         nullptr,
         {"links[0].id: 70000 is out of range (1 to 65535)"}},
        {"duplicate link id",
         [](Json& j) { j["links"][5]["id"] = j["links"][0]["id"]; },
         nullptr,
         {"links[5].id: link id 1 is used twice"}},
        {"duplicate record id",
         [](Json& j) { j["records"][1]["id"] = j["records"][0]["id"]; },
         nullptr,
         {"records[1].id: record id 1 is used twice"}},
        {"record field not a node id",
         [](Json& j) { j["records"][0]["fields"][0] = -1; },
         nullptr,
         {"records[0].fields[0]: a field is a node id"}},
        {"keymap entry of two",
         [](Json& j) {
             j["terminal"]["keymap"][4] = {1, "A"};
         },
         nullptr,
         {"terminal.keymap[4]: must be [key id, \"name\", code]"}},
        {"keymap name too long",
         [](Json& j) { j["terminal"]["keymap"][4][1] = "ABCDEFG"; },
         nullptr,
         {"terminal.keymap[4]: a key name has at most 4 characters"}},
        {"symbology of one",
         [](Json& j) { j["nodes"][1]["collect"]["symbologies"][0] = Json::array({1}); },
         nullptr,
         {"nodes[1].collect.symbologies[0]: must be [code, true or false]"}},
        {"expanded state text",
         [](Json& j) { j["view"]["expanded"]["input"] = "yes"; },
         nullptr,
         {"view.expanded.input: must be a whole number"}},
        {"node options short",
         [](Json& j) { j["view"]["lastNodeOption"] = Json::array({1}); },
         nullptr,
         {"view.lastNodeOption: must list 9 entries"}},
        {"huge number",
         [](Json& j) { j["nodes"][0]["id"] = 18446744073709551615ull; },
         nullptr,
         {"nodes[0].id: ", "out of range"}},
    };
    for (const Damage& c : cases)
    {
        std::string text;
        if (c.change)
        {
            Json j = Json::parse(good);
            c.change(j);
            text = j.dump();
        }
        else
            text = c.text ? c.text : good.substr(0, good.size() / 2);
        std::string error;
        auto doc = ParseJobText(text, &error);
        EXPECT_FALSE(doc) << c.name;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.name << ": " << error;
        for (const char* part : c.says)
            EXPECT_NE(error.find(part), std::string::npos) << c.name << ": \"" << error << "\" lacks \"" << part << "\"";
    }
}

// A hand-edited file's slips, each named where it is in the words of the person who made it, never in the reader's.
TEST(JobFile, ASlipInTheTextIsNamedInAPersonsWords)
{
    const std::string head = "{\n  \"format\": \"pdtdlg job\",\n";
    struct Slip
    {
        const char* text; // after the head, which ends line 2
        const char* says;
    };
    const Slip slips[] = {
        {"  \"version\": ,\n}", "line 3, column 14: a value is missing"},
        {"  \"version\": \x01\n}", "line 3, column 14: a value is missing"},
        {"  \"version\": \n}", "line 4, column 1: a value is missing"},
        {"  \"version\": tru\n}", "a word that is no value (text is written in double quotes"},
        {"  \"version\": \"1.0\n}", "line 4, column 0: a text's closing quote is missing: the text runs on"},
        {"  \"version\": \"1.0", "a text's closing quote is missing"},
        {"  \"version\" \"1.0\"\n}", "line 3, column 17: a ':' is missing after the name"},
        {"  \"version\": \"1.0\"\n  \"nodes\": []\n}", "line 4, column 9: a ',' or '}' is missing"},
        {"  \"nodes\": [1 2]\n}", "line 3, column 15: a ',' or ']' is missing"},
        {"  version: \"1.0\"\n}", "line 3, column 3: a name in double quotes is missing"},
        {"  \"version\": \"1.0\",\n}", "line 4, column 1: a name in double quotes is missing"},
        {"  \"version\": \"1.0\"\n}}", "line 4, column 2: more follows the end of the job"},
        {"  \"version\": -x\n}", "a number is not written correctly"},
        {"  \"version\": \"\\q\"\n}", "a backslash in a text starts no escape"},
        {"  \"version\": \"\\u12\"\n}", "a \\u in a text is not followed by four hex digits"},
        {"  \"version\": \"\xFF\"\n}", "a text holds bytes that are not UTF-8"},
        {"  \"version\": ", "the file ends before the job does"},
    };
    for (const Slip& s : slips)
    {
        std::string error;
        EXPECT_FALSE(ParseJobText(head + s.text, &error)) << s.text;
        EXPECT_NE(error.find(s.says), std::string::npos) << "\"" << error << "\" lacks \"" << s.says << "\"";
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
        for (const char* parser : {"syntax error", "last read", "literal", "parsing"})
            EXPECT_EQ(error.find(parser), std::string::npos) << error;
    }
}

TEST(JobFile, NestingTooDeepForTheReaderIsRefusedBeforeParsing)
{
    std::string text = "{\"format\": \"pdtdlg job\", \"version\": \"1.0\", \"x\": \"[[[[\", \"y\": ";
    text += std::string(100000, '[') + std::string(100000, ']') + "}";
    std::string error;
    EXPECT_FALSE(ParseJobText(text, &error));
    EXPECT_NE(error.find("line 1, column 125: nested more than 64 levels deep"), std::string::npos) << error;
}

TEST(JobFile, OutOfRangeValuesReadAsTheFieldsDefault)
{
    Json j = Json::parse(FormatJobText(*MakeSampleJob()));
    Json& scan = j["nodes"][1];
    scan["collect"]["dataType"] = 9;
    scan["collect"]["lengthFrom"] = -5;
    scan["position"] = {5000000, 20};
    scan["display"]["promptRow"] = 1000;
    j["links"][0]["condition"] = 77;
    j["settings"]["address"] = "a";
    j["terminal"]["buzzerVolume"] = 12;
    j["startNode"] = 999;
    j["defaultRecord"] = 999;
    auto doc = Parse(j.dump());
    ASSERT_TRUE(doc);
    HostNode fresh(nullptr, 0, NODE_INPUT, "");
    HostNode* node = doc->GetNodeAt(1);
    EXPECT_EQ(node->m_collect.nDataType, fresh.m_collect.nDataType);
    EXPECT_EQ(node->m_collect.nLengthFrom, fresh.m_collect.nLengthFrom);
    EXPECT_EQ(node->m_ptPosition, CPoint(0, 20));
    EXPECT_EQ(node->m_position.nPromptRow, 0);
    EXPECT_EQ(doc->GetLinkAt(0)->m_nCondition, LINK_NO_CONDITION);
    EXPECT_EQ(doc->m_settings.chAddress, 'A');
    EXPECT_EQ(doc->Terminal().m_nBuzzerVolume, BUZZER_MEDIUM);
    EXPECT_EQ(doc->m_nDefaultRecord, 0);
    for (int i = 0; i < doc->GetNodeCount(); ++i)
        EXPECT_FALSE(doc->GetNodeAt(i)->m_bStartNode);
}

TEST(JobFile, FieldsOfANewerMinorVersionAreKeptAndWrittenBack)
{
    Json j = Json::parse(FormatJobText(*MakeSampleJob()));
    j["version"] = "1.9";
    j["weather"] = {{"sky", "blue"}};
    j["settings"]["gridSnap"] = 8;
    j["terminal"]["battery"] = "AA";
    j["nodes"][1]["shape"] = "round";
    j["nodes"][1]["collect"]["ocr"] = {{"enabled", true}, {"langs", {"en", "zh"}}};
    j["links"][2]["curve"] = 0.5;
    j["records"][1]["compress"] = true;
    auto doc = Parse(j.dump());
    ASSERT_TRUE(doc);
    // Editing the job does not lose them either.
    doc->GetNodeAt(1)->m_strName = "Renamed";
    doc->RemoveNode(doc->GetNodeAt(0)->m_nID);

    Json out = Json::parse(FormatJobText(*doc));
    EXPECT_EQ(out["version"], "1.0");
    EXPECT_EQ(out["weather"]["sky"], "blue");
    EXPECT_EQ(out["settings"]["gridSnap"], 8);
    EXPECT_EQ(out["terminal"]["battery"], "AA");
    EXPECT_EQ(out["nodes"][0]["name"], "Renamed");
    EXPECT_EQ(out["nodes"][0]["shape"], "round");
    EXPECT_EQ(out["nodes"][0]["collect"]["ocr"]["langs"][1], "zh");
    EXPECT_EQ(out["nodes"][0]["collect"]["lengthFrom"], 6); // known fields are still this version's
    bool curveKept = false;
    for (const Json& link : out["links"])
        curveKept = curveKept || link.contains("curve");
    EXPECT_TRUE(curveKept);
    EXPECT_EQ(out["records"][1]["compress"], true);
    // A file without anything unknown leaves nothing behind.
    EXPECT_EQ(Parse(FormatJobText(*MakeSampleJob()))->GetNodeAt(1)->m_strExtra, "");
}

TEST(JobFile, ASaveThatFailsLeavesTheOldFileWhole)
{
    std::string path = pdt::test::TempDir() + "/job.pdtjob";
    auto first = MakeSampleJob();
    std::string error;
    ASSERT_TRUE(SaveJobFile(*first, path, &error)) << error;
    const std::string before = ReadFile(path);

    auto second = MakeFullJob();
    SetJobFileWriteLimit(100); // the disk fills after 100 bytes of the new text
    bool saved = SaveJobFile(*second, path, &error);
    SetJobFileWriteLimit(-1);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("cannot save " + path + ": No space left on device"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(path), before);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(pdt::test::TempDir()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1) << "the temporary file is left behind";

    EXPECT_FALSE(SaveJobFile(*second, pdt::test::TempDir() + "/no/such/folder/job.pdtjob", &error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_FALSE(SaveJobFile(*second, pdt::test::TempDir(), &error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;

    ASSERT_TRUE(SaveJobFile(*second, path, &error)) << error;
    auto loaded = LoadJobFile(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(FormatJobText(*loaded), FormatJobText(*second));
}

TEST(JobFile, LoadingSaysWhichFileAndWhy)
{
    std::string dir = pdt::test::TempDir(), error;
    EXPECT_FALSE(LoadJobFile(dir + "/missing.pdtjob", &error));
    EXPECT_EQ(error, dir + "/missing.pdtjob: No such file or directory");
    EXPECT_FALSE(LoadJobFile(dir, &error));
    EXPECT_EQ(error, dir + ": Is a directory");
    // Far too large: refused before a byte is read (the file is sparse).
    std::string big = dir + "/big.pdtjob";
    std::ofstream{big}.close();
    fs::resize_file(big, kMaxJobFileSize + 1);
    EXPECT_FALSE(LoadJobFile(big, &error));
    EXPECT_NE(error.find(big + ": the file is larger than 64 MiB"), std::string::npos) << error;
    WriteFile(dir + "/bad.pdtjob", "{\n  \"format\": \"pdtdlg job\",\n  \"version\": 1.0\n}");
    EXPECT_FALSE(LoadJobFile(dir + "/bad.pdtjob", &error));
    EXPECT_EQ(error, dir + "/bad.pdtjob: version: must be text, not a fraction");
}

} // namespace
