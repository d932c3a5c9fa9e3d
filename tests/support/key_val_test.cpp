#include "support/key_val.h"

#include <gtest/gtest.h>

TEST(KeyVal, SplitAtEqualsOrColon) {
    struct Case {
        const char* line;
        const char* key;
        const char* val;
    } cases[] = {
        {"File format = Y4_MM", "File format", "Y4_MM"},
        {"Time 12:00=x:y=z", "Time 12:00", "x:y=z"},  // "=" wins even after a ":"
        {"Time: 12:00", "Time", "12:00"},
        {"", "", ""},
        {"  lonely key  ", "  lonely key", ""},
        {"=value", "", "value"},
        {"key=", "key", ""},
    };
    for (const Case& c : cases) {
        std::string key = "?", val = "?";
        extract_key_val(c.line, key, val);
        EXPECT_EQ(key, c.key) << c.line;
        EXPECT_EQ(val, c.val) << c.line;
    }
}

TEST(KeyVal, SplitAtRelation) {
    struct Case {
        const char* line;
        const char* key;
        const char* rel;
        const char* val;
    } cases[] = {
        {"a = 1", "a", "=", "1"},      {"a <= 1", "a", "<=", "1"}, {"a>=1", "a", ">=", "1"},
        {"a != 1", "a", "!=", "1"},    {"a < b = c", "a", "<", "b = c"},
        {"v [] 1,2", "v", "[]", "1,2"}, {"plain", "plain", "", ""},
    };
    for (const Case& c : cases) {
        std::string key, val, rel;
        extract_key_val_rel(c.line, key, val, rel);
        EXPECT_EQ(key, c.key) << c.line;
        EXPECT_EQ(rel, c.rel) << c.line;
        EXPECT_EQ(val, c.val) << c.line;
    }
}

TEST(KeyVal, CutListItems) {
    std::string list = "a,b,c", item;
    extract_comma(list, item);
    EXPECT_EQ(item, "a");
    EXPECT_EQ(list, "b,c");

    list = "\"x,y\",z";
    extract_comma(list, item);
    EXPECT_EQ(item, "\"x,y\"");
    EXPECT_EQ(list, "z");

    list = "a, b";
    extract_comma(list, item);
    extract_comma(list, item);
    EXPECT_EQ(item, " b");  // the last item keeps its leading blank
    EXPECT_EQ(list, "");

    list = "\"x,y\"q";  // no separator after the quotes: the next character is one
    extract_comma(list, item);
    EXPECT_EQ(item, "\"x,y\"");
    EXPECT_EQ(list, "");

    list = "  \"x,y\"";  // the blank after the closing quote separates
    extract_comma(list, item);
    EXPECT_EQ(item, "\"x,y\"");
    EXPECT_EQ(list, "");

    list = "\"open,b";  // an unclosed quote changes nothing
    extract_comma(list, item);
    EXPECT_EQ(item, "\"open");
    EXPECT_EQ(list, "b");

    list = "  ";
    extract_list(list, item, ";");
    EXPECT_EQ(item, "");
    EXPECT_EQ(list, "");

    list = "1;2";
    extract_list(list, item, ";x");  // only the first character separates
    EXPECT_EQ(item, "1");
}

TEST(KeyVal, ReadWholeList) {
    struct Case {
        const char* list;
        std::vector<std::string> items;
    } cases[] = {
        {"a,,b", {"a"}},
        {"a, b ,c", {"a", "b", "c"}},
        {"", {}},
        {"\"1,2\",3", {"\"1,2\"", "3"}},
    };
    for (const Case& c : cases) {
        std::string val = c.list;
        int32_t nb = -1;
        std::vector<std::string> lst{"stale"};
        read_list(val, nb, lst, ",");
        EXPECT_EQ(lst, c.items) << c.list;
        EXPECT_EQ(nb, static_cast<int32_t>(c.items.size())) << c.list;
    }
    std::string val = "abcdef,gh";
    int32_t nb;
    std::vector<std::string> lst;
    read_list(val, nb, lst, ",", 3);
    EXPECT_EQ(lst, (std::vector<std::string>{"abc", "gh"}));
}
