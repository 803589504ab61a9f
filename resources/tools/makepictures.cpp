// Draws the program's pictures and writes them to the folder named on the command line:
// Vesk.pict and VeskSmall.pict (title banners, PICT), Question48.jpg (the help button, JPEG)
// and QuorvelBadge (the test badge, PNG data under a bare name).

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>

#include "resources/tools/pictwriter.h"

namespace {

const QColor kGreen(0x18, 0x75, 0x34);     // the labels' green
const QColor kDeepGreen(0x0F, 0x52, 0x23);
const QColor kPaleGreen(0xE4, 0xF1, 0xE7);
const QColor kMutedText(0x4F, 0x6B, 0x57);
const QColor kWindowGrey(0xEF, 0xEF, 0xEF);  // the window behind the help button
const char* const kSerif = "P052";           // a Palatino-like serif; Qt falls back if missing

QFont Font(const char* family, int pixelSize, int weight, bool italic = false)
{
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    return font;
}

// Five falling bars: p-values tested in turn against ever looser thresholds.
void DrawEmblem(QPainter& p, QRectF box)
{
    const int bars = 5;
    const qreal gap = box.width() * 0.06;
    const qreal barWidth = (box.width() - gap * (bars - 1)) / bars;
    for (int i = 0; i < bars; ++i) {
        qreal h = box.height() * (1.0 - 0.17 * i);
        QRectF bar(box.left() + i * (barWidth + gap), box.bottom() - h, barWidth, h);
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        QColor top = kGreen.lighter(135 + 12 * i);
        fill.setColorAt(0, top);
        fill.setColorAt(1, kGreen.lighter(100 + 10 * i));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(bar, 1.5, 1.5);
    }
}

void DrawBannerBackground(QPainter& p, const QRect& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, Qt::white);
    sky.setColorAt(1, kPaleGreen);
    p.fillRect(r, sky);
    p.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), kGreen);
}

QImage Banner(QSize size, int nameSize, bool subtitle)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawBannerBackground(p, image.rect());

    const int h = size.height();
    const qreal emblemSize = h * 0.56;
    QRectF emblem(h * 0.24, (h - 2 - emblemSize) / 2, emblemSize * 1.15, emblemSize);
    DrawEmblem(p, emblem);

    QFont name = Font(kSerif, nameSize, QFont::Bold);
    p.setFont(name);
    const qreal baseline = emblem.bottom();
    const qreal nameX = emblem.right() + h * 0.25;
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QPointF(nameX + 1, baseline + 1), "Quorvel");
    p.setPen(kGreen);
    p.drawText(QPointF(nameX, baseline), "Quorvel");

    if (subtitle) {
        QFont small = Font(kSerif, 13, QFont::Normal, true);
        p.setFont(small);
        p.setPen(kMutedText);
        const QString text = "Sequential Bonferroni calculator";
        qreal width = p.fontMetrics().horizontalAdvance(text);
        p.drawText(QPointF(size.width() - width - h * 0.25, baseline), text);
    }
    return image;
}

QImage QuestionButton()
{
    QImage image(29, 43, QImage::Format_RGB32);
    image.fill(kWindowGrey);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QRectF face(1.5, 1.5, 26, 40);
    // A soft shadow below, then the face with a light top and a darker rim.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(face.translated(0, 1), 7, 7);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(0.55, QColor(0xEE, 0xF6, 0xF0));
    fill.setColorAt(1, QColor(0xC9, 0xE0, 0xCF));
    p.setBrush(fill);
    p.setPen(QPen(kGreen, 1.2));
    p.drawRoundedRect(face, 7, 7);

    p.setFont(Font(kSerif, 27, QFont::Bold));
    p.setPen(kGreen);
    p.drawText(face.adjusted(0, -1, 0, 0), Qt::AlignCenter, "?");
    return image;
}

QImage Badge()
{
    QImage image(150, 22, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QRectF pill(0.5, 0.5, 149, 21);
    QLinearGradient fill(pill.topLeft(), pill.bottomLeft());
    fill.setColorAt(0, kGreen.lighter(125));
    fill.setColorAt(1, kGreen);
    p.setBrush(fill);
    p.setPen(QPen(kDeepGreen, 1));
    p.drawRoundedRect(pill, 10.5, 10.5);

    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setWeight(QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(pill, Qt::AlignCenter, "Holm step-down test");
    return image;
}

bool Save(const QByteArray& bytes, const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makepictures <output folder>\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "makepictures: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = Save(WritePict(Banner(QSize(435, 54), 34, true)), out.filePath("Vesk.pict")) &&
              Save(WritePict(Banner(QSize(265, 45), 30, false)), out.filePath("VeskSmall.pict")) &&
              QuestionButton().save(out.filePath("Question48.jpg"), "JPEG", 92) &&
              Badge().save(out.filePath("QuorvelBadge"), "PNG");
    if (!ok) {
        std::fprintf(stderr, "makepictures: cannot write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
