// SPDX-License-Identifier: GPL-3.0-or-later
// The picture decoder, over QPixmap::loadFromData, and the shared picture objects.
#include "picture.h"

#include <limits>
#include <utility>

namespace dyadora {

QPixmap decodePicture(std::span<const unsigned char> file)
{
    QPixmap picture;
    if (file.empty() || file.size() > std::numeric_limits<uint>::max())
        return picture;
    if (!picture.loadFromData(file.data(), static_cast<uint>(file.size())))
        return {};
    return picture;
}

SharedPicture::SharedPicture(QPixmap design, LargeDecoder decodeLarge)
    : m_data(std::make_shared<Data>(Data { std::move(design), std::move(decodeLarge), {} }))
{
}

const QPixmap& SharedPicture::design() const
{
    static const QPixmap none;
    return m_data ? m_data->design : none;
}

const QPixmap& SharedPicture::forRatio(qreal ratio) const
{
    if (!m_data || ratio <= 1.0)
        return design();
    if (m_data->decodeLarge)
        m_data->large = std::exchange(m_data->decodeLarge, nullptr)();
    return m_data->large.isNull() ? m_data->design : m_data->large;
}

bool SharedPicture::isLargeDecoded() const { return m_data && !m_data->decodeLarge; }

QIcon SharedPicture::icon(qreal ratio) const
{
    QIcon icon(design());
    const QPixmap& large = forRatio(ratio);
    if (large.cacheKey() != design().cacheKey())
        icon.addPixmap(large);
    return icon;
}

} // namespace dyadora
