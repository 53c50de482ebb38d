#include "model/category_color_map.h"

namespace {

constexpr std::array<TColor, TVpCategoryColorMap::kCategoryCount> kDefaultColors = {
    clNavy, clRed, clYellow, clLime, clPurple, clTeal, clFuchsia, clOlive, clAqua, clMaroon};

}  // namespace

TVpCategoryColorMap::TVpCategoryColorMap() {
  for (int i = 0; i < kCategoryCount; ++i) {
    auto category = std::make_unique<TVpCategoryInfo>(i);
    category->SetColor(kDefaultColors[static_cast<size_t>(i)]);
    category->SetDescription("Category " + std::to_string(i));
    Categories_[static_cast<size_t>(i)] = std::move(category);
  }
}

TVpCategoryInfo* TVpCategoryColorMap::Category(int index) {
  return index >= 0 && index < kCategoryCount ? Categories_[static_cast<size_t>(index)].get() : nullptr;
}

const TVpCategoryInfo* TVpCategoryColorMap::Category(int index) const {
  return const_cast<TVpCategoryColorMap*>(this)->Category(index);
}

TColor TVpCategoryColorMap::Color(int index) const {
  const TVpCategoryInfo* category = Category(index);
  return category ? category->Color() : 0;
}

std::string TVpCategoryColorMap::Description(int index) const {
  const TVpCategoryInfo* category = Category(index);
  return category ? category->Description() : std::string();
}
