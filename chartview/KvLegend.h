// A raster chart's legend as read from its legend file: pictures and a tree of headings,
// table headers and symbol rows, with texts in up to eight languages. Read only; plain
// objects used on the GUI thread by the legend window.
#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TStream;
class TLegend;

// Texts per language number 1..8 at index number − 1.
using TLegendTexts = std::array<QString, 8>;

// The text of the language, or the English one when that is empty.
QString LegendText(const TLegendTexts &texts, int32_t language);

class TLegendString {
public:
    explicit TLegendString(TLegend *legend) : Legend(legend) {}
    void LoadFromStream(TStream &stream);

    TLegend *Legend;
    TLegendTexts Texts;
};

class TLegendNode {
public:
    TLegendNode(TLegend *legend, TLegendNode *parent);

    TLegendNode *AddNode();
    TLegendString *AddString();
    void ClearNodes();
    void ClearStrings();
    // nullptr when the index is out of range.
    TLegendNode *GetNode(int index) const;
    int GetNodeCount() const { return int(Nodes.size()); }
    TLegendString *GetString(int index) const;
    int GetStringCount() const { return int(Strings.size()); }
    // The widest picture among the children that have one; 0 when none has.
    int GetChildImageWidth() const;
    // depth: of this node below the root (top-level nodes are 1).
    void LoadFromStream(TStream &stream, int depth);

    TLegendTexts Texts;
    int32_t ImageIndex = -1;
    int32_t Kind = 2;  // for a picture row: its alignment 0 left, 1 right, 2 centred
    TLegend *Legend;
    QString Name;
    std::vector<std::unique_ptr<TLegendNode>> Nodes;
    TLegendNode *Parent;
    std::vector<std::unique_ptr<TLegendString>> Strings;
};

class TLegend {
public:
    // Deeper files count as damaged: the reader recurses once per level.
    static constexpr int MaxDepth = 64;

    TLegend();
    TLegend(const TLegend &) = delete;
    TLegend &operator=(const TLegend &) = delete;

    // Raises when the file cannot be opened; a damaged file leaves an empty legend.
    void LoadFromFile(const QString &fileName);
    // Never raises: a foreign header or version leaves the legend as it was, anything
    // else that goes wrong leaves it empty.
    void LoadFromStream(TStream &stream);
    void AddBitmap(QImage bitmap);
    void ClearBitmaps();
    void ClearNodes();
    // nullptr when out of range.
    const QImage *GetBitmap(int index) const;

    std::vector<QImage> Bitmaps;  // 32 bits per pixel
    uint8_t Style = 3;
    QString Title;
    std::unique_ptr<TLegendNode> Root;
    bool Changed = false;
};
