// The keypad: a click on a key until the name, code and character fields show it, and keymap lookups
// of an entry at the very end of a keymap (every entry scanned).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstring>

#include "platform/afxhooks.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"

namespace
{

void KeypadClick(benchmark::State& state)
{
    KEYMAP_KEY keymap[KEYMAP_SIZE];
    CString model("M-10");
    ResetKeymap(model, keymap);
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_EDIT, &keymap);
    dlg.Create(IDD_KEYPAD_M10);
    dlg.ShowWindow(SW_SHOW);
    pdt::hooks::ProcessEvents();
    CButton* keys[] = {static_cast<CButton*>(dlg.GetDlgItem(IDC_KEY_7)), static_cast<CButton*>(dlg.GetDlgItem(IDC_KEY_8))};
    const char* names[] = {"7", "8"};
    CWnd* name = dlg.GetDlgItem(IDC_KEY_NAME);

    int n = 0;
    for (auto _ : state)
    {
        // Alternate keys, so that every click changes what the fields show.
        keys[n]->Click();
        if (name->GetWindowText() != names[n])
        {
            state.SkipWithError("the fields do not show the key");
            break;
        }
        pdt::hooks::ProcessEvents();
        n ^= 1;
    }
    dlg.DestroyWindow();
    pdt::hooks::ProcessEvents();
}
BENCHMARK(KeypadClick)->Unit(benchmark::kMicrosecond);

// The same work by hand: two push buttons whose clicks fill three line edits.
void KeypadClickBaseline(benchmark::State& state)
{
    QWidget window(nullptr, Qt::Dialog);
    window.setFixedSize(340, 410);
    QLineEdit name(&window), code(&window), ch(&window);
    name.setGeometry(240, 120, 88, 24);
    code.setGeometry(240, 176, 88, 24);
    ch.setGeometry(240, 208, 88, 24);
    ch.setReadOnly(true);
    QPushButton seven(QStringLiteral("7"), &window), eight(QStringLiteral("8"), &window);
    seven.setGeometry(20, 64, 44, 28);
    eight.setGeometry(88, 64, 44, 28);
    auto show = [&](const char* key) {
        name.setText(QString::fromLatin1(key));
        code.setText(QString::number(int(key[0])));
        ch.setText(QStringLiteral(" ") + QString::fromLatin1(key));
    };
    QObject::connect(&seven, &QPushButton::clicked, [&] { show("7"); });
    QObject::connect(&eight, &QPushButton::clicked, [&] { show("8"); });
    window.show();
    QCoreApplication::processEvents();

    QPushButton* keys[] = {&seven, &eight};
    const QString names[] = {QStringLiteral("7"), QStringLiteral("8")};
    int n = 0;
    for (auto _ : state)
    {
        keys[n]->setFocus();
        keys[n]->click();
        if (name.text() != names[n])
        {
            state.SkipWithError("the fields do not show the key");
            break;
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        n ^= 1;
    }
}
BENCHMARK(KeypadClickBaseline)->Name("KeypadClick/baseline")->Unit(benchmark::kMicrosecond);

// A keymap whose only match is its last entry.
struct LastEntryKeymap
{
    LastEntryKeymap()
    {
        CString model("M-13");
        ResetKeymap(model, keys);
        for (int i = 161; i < KEYMAP_SIZE; ++i)
            keys[i] = {WORD(3400 + i), "Zz", 0xF0};
        keys[KEYMAP_SIZE - 1] = {3999, "Last", 0xEE};
    }
    KEYMAP_KEY keys[KEYMAP_SIZE];
};

void KeymapNameByID(benchmark::State& state)
{
    LastEntryKeymap km;
    for (auto _ : state)
        benchmark::DoNotOptimize(GetKeyNameWKM(3999, km.keys));
    if (std::strcmp(GetKeyNameWKM(3999, km.keys), "Last") != 0)
        state.SkipWithError("wrong entry");
}
BENCHMARK(KeymapNameByID)->Name("KeymapLookup/NameByID");

void KeymapIDByName(benchmark::State& state)
{
    LastEntryKeymap km;
    for (auto _ : state)
        benchmark::DoNotOptimize(GetKeyIDWKM("last", km.keys));
    if (GetKeyIDWKM("last", km.keys) != 3999)
        state.SkipWithError("wrong entry");
}
BENCHMARK(KeymapIDByName)->Name("KeymapLookup/IDByName");

void KeymapIDByCode(benchmark::State& state)
{
    LastEntryKeymap km;
    for (auto _ : state)
        benchmark::DoNotOptimize(GetKeyIDWKM(static_cast<unsigned char>(0xEE), km.keys));
    if (GetKeyIDWKM(static_cast<unsigned char>(0xEE), km.keys) != 3999)
        state.SkipWithError("wrong entry");
}
BENCHMARK(KeymapIDByCode)->Name("KeymapLookup/IDByCode");

void KeymapCodeByID(benchmark::State& state)
{
    LastEntryKeymap km;
    for (auto _ : state)
        benchmark::DoNotOptimize(GetKeyCodeWKM(3999, km.keys));
    if (GetKeyCodeWKM(3999, km.keys) != 0xEE)
        state.SkipWithError("wrong entry");
}
BENCHMARK(KeymapCodeByID)->Name("KeymapLookup/CodeByID");

} // namespace
