#include "form/pictureloader.h"

#include <gtest/gtest.h>

using namespace hitungrama;

namespace {

const QString kPicture = QStringLiteral(":/hitungrama/picture.jpg");

int mixedBlocks(const QImage &image, int k)
{
    int mixed = 0;
    for (int y = 0; y + k <= image.height(); y += k)
        for (int x = 0; x + k <= image.width(); x += k)
            for (int i = 0; i < k * k; ++i)
                if (image.pixel(x + i % k, y + i / k) != image.pixel(x, y)) {
                    ++mixed;
                    break;
                }
    return mixed;
}

// Above 100 % the visible part is resampled from the source to device pixels
// and keeps its logical size; at 100 % it is the source's pixels themselves.
TEST(PictureLoader, decodes_the_visible_part_at_the_device_pixel_ratio)
{
    const QSize visible(120, 80);
    const QImage atOne = PictureLoader::decode(kPicture, visible, 1.0);
    ASSERT_EQ(atOne.size(), visible);
    EXPECT_EQ(atOne.devicePixelRatio(), 1.0);
    for (const qreal ratio : {1.5, 2.0}) {
        const QImage sharp = PictureLoader::decode(kPicture, visible, ratio);
        EXPECT_EQ(sharp.devicePixelRatio(), ratio);
        EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(visible));
    }
    EXPECT_GT(mixedBlocks(PictureLoader::decode(kPicture, visible, 2.0), 2), visible.width() * visible.height() / 4)
        << "not the 100 % pixels blown up";
    EXPECT_TRUE(PictureLoader::decode(QStringLiteral(":/no/such.jpg"), visible, 2.0).isNull());
}

} // namespace
