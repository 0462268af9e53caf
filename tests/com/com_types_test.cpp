// Strings, safe arrays and variants: ownership, bounds and conversions.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "com/comutil.h"
#include "com/guid.h"
#include "com/variant.h"

TEST(Bstr, LengthCountsEmbeddedZerosAndNullIsEmpty)
{
    BSTR s = SysAllocStringLen(L"a\0b", 3);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(SysStringByteLen(s), 3 * sizeof(wchar_t));
    EXPECT_EQ(s[3], L'\0');
    SysFreeString(s);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
}

// Freed strings' blocks are handed out again: every reuse must carry its
// own length and text whatever the block held before, strings too long to
// be kept must work alike, and a string may be freed on another thread than
// the one that made it, also after that thread has ended.
TEST(Bstr, ReusedBlocksCarryTheirOwnLengthAndText)
{
    for (int round = 0; round < 3; ++round) {
        std::vector<BSTR> strings;
        std::vector<std::wstring> texts;
        for (unsigned n = 0; n < 120; ++n) {
            texts.push_back(std::wstring(n, wchar_t(L'a' + (n + round) % 26)));
            strings.push_back(SysAllocStringLen(texts.back().data(), n));
        }
        for (size_t i = 0; i < strings.size(); ++i) {
            ASSERT_NE(strings[i], nullptr);
            EXPECT_EQ(SysStringLen(strings[i]), texts[i].size());
            EXPECT_EQ(std::wstring(strings[i]), texts[i]);
        }
        for (size_t i = 0; i < strings.size(); i += 2) SysFreeString(strings[i]);
        for (size_t i = 0; i < strings.size(); i += 2) {  // the freed blocks again, other lengths
            texts[i] = std::wstring(i / 3, L'z');
            strings[i] = SysAllocStringLen(nullptr, unsigned(i / 3));
            EXPECT_EQ(SysStringLen(strings[i]), i / 3);
            EXPECT_EQ(strings[i][i / 3], L'\0');
            for (size_t k = 0; k < i / 3; ++k) EXPECT_EQ(strings[i][k], L'\0');
            for (size_t k = 0; k < i / 3; ++k) strings[i][k] = L'z';
        }
        for (size_t i = 0; i < strings.size(); ++i) EXPECT_EQ(std::wstring(strings[i]), texts[i]) << i;
        for (BSTR s : strings) SysFreeString(s);
    }
    std::vector<BSTR> made;
    std::thread maker([&] {
        for (int i = 0; i < 50; ++i) made.push_back(SysAllocString(L"made elsewhere"));
        for (int i = 0; i < 50; ++i) SysFreeString(SysAllocString(L"kept by the ending thread"));
    });
    maker.join();
    for (BSTR s : made) {
        EXPECT_EQ(std::wstring(s), L"made elsewhere");
        SysFreeString(s);
    }
    BSTR again = SysAllocString(L"made elsewhere, freed here, made again");
    EXPECT_EQ(SysStringLen(again), 38u);
    SysFreeString(again);
}

TEST(Bstr, SharedStringLivesUntilItsLastHolderFreesIt)
{
    BSTR handedOut = nullptr;
    {
        SharedBstr name(std::wstring_view(L"ixDuct\0x", 8));
        handedOut = name.share();
        EXPECT_EQ(handedOut, name.get());  // shared, not copied
        SharedBstr copy = name;
        EXPECT_EQ(copy.get(), name.get());
    }
    // The owners are gone; the handed-out reference still reads.
    ASSERT_EQ(SysStringLen(handedOut), 8u);
    EXPECT_EQ(std::wstring(handedOut, 8), std::wstring(L"ixDuct\0x", 8));

    // A variant copy is a string of its own, freed on its own.
    VARIANT a, b;
    VariantInit(&a);
    VariantInit(&b);
    a.vt = VT_BSTR;
    a.bstrVal = handedOut;
    ASSERT_EQ(VariantCopy(&b, &a), S_OK);
    EXPECT_NE(b.bstrVal, a.bstrVal);
    VariantClear(&a);
    EXPECT_EQ(std::wstring(b.bstrVal, SysStringLen(b.bstrVal)), std::wstring(L"ixDuct\0x", 8));
    VariantClear(&b);

    // Asking to share a string that was not made shared copies it.
    BSTR plain = SysAllocString(L"plain");
    BSTR again = SysAddRefString(plain);
    EXPECT_NE(again, plain);
    SysFreeString(plain);
    EXPECT_EQ(std::wstring(again), L"plain");
    SysFreeString(again);
    EXPECT_EQ(SysAddRefString(nullptr), nullptr);
}

TEST(Bstr, SharedStringReferencesCountedAcrossThreads)
{
    // Each thread holds its own copy and shares and frees it many times;
    // the owner lets go first, so the last thread to end frees the string
    // (a miscount shows as a leak or a double free under the sanitizers).
    SharedBstr name(L"CFM");
    std::vector<std::thread> threads;
    std::atomic<int> misread{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([held = name, &misread] {
            for (int i = 0; i < 20000; ++i) {
                BSTR s = held.share();
                if (std::wstring(s) != L"CFM") ++misread;
                SysFreeString(s);
            }
        });
    name = SharedBstr();
    for (auto& t : threads) t.join();
    EXPECT_EQ(misread.load(), 0);
}

TEST(Bstr, Utf8RoundTripAndInvalidBytes)
{
    std::string text = "Stra\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80";
    BSTR s = SysAllocStringUtf8(text);
    EXPECT_EQ(SysStringLen(s), 10u);
    EXPECT_EQ(bstrToUtf8(s), text);
    SysFreeString(s);
    EXPECT_EQ(utf8ToWide("a\xFF" "b"), L"a\xFFFD" L"b");
    EXPECT_EQ(utf8ToWide("\xE2\x82"), L"\xFFFD\xFFFD");
}

TEST(SafeArray, VectorBoundsElementsAndDeepCopies)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_VARIANT, 1, 3);
    ASSERT_NE(a, nullptr);
    LONG lo = 0, hi = 0;
    SafeArrayGetLBound(a, 1, &lo);
    SafeArrayGetUBound(a, 1, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 3);
    EXPECT_EQ(SafeArrayGetLBound(a, 2, &lo), DISP_E_BADINDEX);

    _variant_t text(L"duct");
    LONG i = 2;
    ASSERT_EQ(SafeArrayPutElement(a, &i, &text), S_OK);
    text.Clear();  // the array holds its own copy
    VARIANT out;
    ASSERT_EQ(SafeArrayGetElement(a, &i, &out), S_OK);
    EXPECT_EQ(out.vt, VT_BSTR);
    EXPECT_STREQ(out.bstrVal, L"duct");
    VariantClear(&out);

    i = 4;
    EXPECT_EQ(SafeArrayPutElement(a, &i, &text), DISP_E_BADINDEX);
    i = 0;
    EXPECT_EQ(SafeArrayGetElement(a, &i, &out), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayDestroy(a), S_OK);

    EXPECT_EQ(SafeArrayCreateVector(0x4000, 0, 1), nullptr);
}

TEST(SafeArray, BstrElementsAndLockedDestroy)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_BSTR, 0, 2);
    BSTR s = SysAllocString(L"x");
    LONG i = 1;
    SafeArrayPutElement(a, &i, s);
    SysFreeString(s);
    BSTR got = nullptr;
    SafeArrayGetElement(a, &i, &got);
    EXPECT_STREQ(got, L"x");
    SysFreeString(got);
    void* data;
    SafeArrayAccessData(a, &data);
    EXPECT_EQ(SafeArrayDestroy(a), E_FAIL);
    SafeArrayUnaccessData(a);
    EXPECT_EQ(SafeArrayDestroy(a), S_OK);
}

TEST(Variant, CopyOfArrayIsIndependent)
{
    VARIANT v;
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    _variant_t s(L"a");
    LONG i = 0;
    SafeArrayPutElement(v.parray, &i, &s);
    VARIANT c;
    ASSERT_EQ(VariantCopy(&c, &v), S_OK);
    EXPECT_NE(c.parray, v.parray);
    VariantClear(&v);
    VARIANT e;
    SafeArrayGetElement(c.parray, &i, &e);
    EXPECT_STREQ(e.bstrVal, L"a");
    VariantClear(&e);
    VariantClear(&c);
    EXPECT_EQ(c.vt, VT_EMPTY);
}

TEST(Variant, ChangeTypeRoundsParsesAndRejects)
{
    _variant_t r(2.5), out;
    ASSERT_EQ(VariantChangeType(&out, &r, 0, VT_I4), S_OK);
    EXPECT_EQ(out.lVal, 2);  // halves go to even
    _variant_t t(L"4x2");
    ASSERT_EQ(VariantChangeType(&out, &t, 0, VT_R8), DISP_E_TYPEMISMATCH);
    _variant_t t2(L"42.5");
    ASSERT_EQ(VariantChangeType(&out, &t2, 0, VT_R8), S_OK);
    EXPECT_DOUBLE_EQ(out.dblVal, 42.5);
    _variant_t big(1e12);
    EXPECT_EQ(VariantChangeType(&out, &big, 0, VT_I2), DISP_E_TYPEMISMATCH);
    _variant_t b(true);
    ASSERT_EQ(VariantChangeType(&out, &b, 0, VT_I4), S_OK);
    EXPECT_EQ(out.lVal, -1);
    ASSERT_EQ(VariantChangeType(&out, &r, 0, VT_BSTR), S_OK);
    EXPECT_STREQ(out.bstrVal, L"2.5");
    _variant_t null;
    null.vt = VT_NULL;
    EXPECT_EQ(VariantChangeType(&out, &null, 0, VT_I4), DISP_E_TYPEMISMATCH);
}

TEST(Guid, ParsesBothFormsAndRejectsMalformed)
{
    auto g = guidFromString("{2C4ED17D-80E4-4416-BF2B-2C8D9F117E44}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Data1, 0x2C4ED17Du);
    EXPECT_EQ(g->Data4[7], 0x44);
    EXPECT_EQ(guidToString(*g), "{2C4ED17D-80E4-4416-BF2B-2C8D9F117E44}");
    EXPECT_EQ(guidFromString("2c4ed17d-80e4-4416-bf2b-2c8d9f117e44"), g);
    EXPECT_FALSE(guidFromString("{2C4ED17D-80E4-4416-BF2B2C8D9F117E44}"));
    EXPECT_FALSE(guidFromString("{2C4ED17D-80E4-4416-BF2B-2C8D9F117E4G}"));
    EXPECT_FALSE(guidFromString(""));
}
