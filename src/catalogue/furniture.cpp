#include "furniture.h"

#include <utility>

Furniture::Furniture(std::string category, std::string name, std::string desc,
                     std::string designer, Dimension dim, std::vector<Form> forms)
    : category(std::move(category)), name(std::move(name)), desc(std::move(desc)),
      designer(std::move(designer)), dim(std::move(dim)), forms(std::move(forms))
{
}

Furniture::Furniture(std::istream &in) : dim({}, {}, {}, {})
{
    in >> category >> name >> desc >> designer >> dim;
    unsigned int count = 0;
    if (!(in >> count))
        count = 0;
    // A count larger than what follows must not invent variants: stop at the first
    // variant whose identifier could not be read.
    for (unsigned int i = 0; i < count; ++i) {
        Form form(in);
        if (form.getId().empty())
            break;
        forms.push_back(std::move(form));
    }
}

void Furniture::setCategory(std::string category)
{
    this->category = std::move(category);
}

void Furniture::setName(std::string name)
{
    this->name = std::move(name);
}

void Furniture::setDesc(std::string desc)
{
    this->desc = std::move(desc);
}

void Furniture::setDesigner(std::string designer)
{
    this->designer = std::move(designer);
}

void Furniture::setDim(Dimension dim)
{
    this->dim = std::move(dim);
}

void Furniture::setForms(std::vector<Form> forms)
{
    this->forms = std::move(forms);
}

void Furniture::addForm(Form form)
{
    forms.push_back(std::move(form));
}

void Furniture::setVariantValues(std::size_t variant, double price, unsigned int stock)
{
    forms[variant].setPrice(price);
    forms[variant].setStock(stock);
}

bool operator==(const Furniture &a, const Furniture &b)
{
    return a.getCategory() == b.getCategory() && a.getName() == b.getName()
        && a.getDesc() == b.getDesc() && a.getDesigner() == b.getDesigner()
        && a.getDim() == b.getDim() && a.getForms() == b.getForms();
}

std::ostream &operator<<(std::ostream &out, const Furniture &furniture)
{
    out << furniture.getCategory() << ' ' << furniture.getName() << ' ' << furniture.getDesc()
        << ' ' << furniture.getDesigner() << furniture.getDim() << ' '
        << furniture.getForms().size() << '\n';
    for (const Form &form : furniture.getForms())
        out << form << '\n';
    return out;
}
