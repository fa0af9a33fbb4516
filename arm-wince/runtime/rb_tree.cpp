// The red-black tree under std::map and std::set: the node operations that
// libstdc++'s headers declare and its compiled library would define. Nodes
// are linked as <bits/stl_tree.h> lays them out; the header node holds the
// root (parent), the leftmost (left) and the rightmost (right) node, and is
// red, which tells it from the root. Insertion and erasure rebalance as in
// the textbook algorithm (Cormen et al., "Red-Black Trees").

#include <map>

namespace std {

namespace {

using Node = _Rb_tree_node_base;

bool IsBlack(const Node* node) { return !node || node->_M_color == _S_black; }

Node* Minimum(Node* node)
{
    while (node->_M_left)
        node = node->_M_left;
    return node;
}

Node* Maximum(Node* node)
{
    while (node->_M_right)
        node = node->_M_right;
    return node;
}

// The two sides of a node: each rebalancing case has a mirror image, the
// same steps with left and right swapped.
enum Side { Left, Right };

Side Other(Side side) { return side == Left ? Right : Left; }

Node*& Child(Node* node, Side side) { return side == Left ? node->_M_left : node->_M_right; }

// Hangs `replacement` where `node` hangs: below node's parent, or as the
// root. The parent link of `replacement` is the caller's.
void Replace(Node* node, Node* replacement, Node*& root)
{
    if (node == root)
        root = replacement;
    else if (node == node->_M_parent->_M_left)
        node->_M_parent->_M_left = replacement;
    else
        node->_M_parent->_M_right = replacement;
}

// Turns x down to its `side`: its child on the other side takes its place.
void Rotate(Node* x, Side side, Node*& root)
{
    Node* const y = Child(x, Other(side));
    Child(x, Other(side)) = Child(y, side);
    if (Child(y, side))
        Child(y, side)->_M_parent = x;
    y->_M_parent = x->_M_parent;
    Replace(x, y, root);
    Child(y, side) = x;
    x->_M_parent = y;
}

Node* Increment(Node* x)
{
    if (x->_M_right)
        return Minimum(x->_M_right);
    Node* y = x->_M_parent;
    while (x == y->_M_right) {
        x = y;
        y = y->_M_parent;
    }
    // From the rightmost node the walk climbs to the header, whose parent is
    // the root; stopping there makes the header the end.
    return x->_M_right != y ? y : x;
}

Node* Decrement(Node* x)
{
    // The end (the header) steps back to the rightmost node.
    if (x->_M_color == _S_red && x->_M_parent->_M_parent == x)
        return x->_M_right;
    if (x->_M_left)
        return Maximum(x->_M_left);
    Node* y = x->_M_parent;
    while (x == y->_M_left) {
        x = y;
        y = y->_M_parent;
    }
    return y;
}

}  // namespace

_Rb_tree_node_base* _Rb_tree_increment(_Rb_tree_node_base* x) throw() { return Increment(x); }

const _Rb_tree_node_base* _Rb_tree_increment(const _Rb_tree_node_base* x) throw()
{
    return Increment(const_cast<Node*>(x));
}

_Rb_tree_node_base* _Rb_tree_decrement(_Rb_tree_node_base* x) throw() { return Decrement(x); }

const _Rb_tree_node_base* _Rb_tree_decrement(const _Rb_tree_node_base* x) throw()
{
    return Decrement(const_cast<Node*>(x));
}

void _Rb_tree_insert_and_rebalance(const bool insertLeft, _Rb_tree_node_base* x, _Rb_tree_node_base* p,
                                   _Rb_tree_node_base& header) throw()
{
    Node*& root = header._M_parent;
    x->_M_parent = p;
    x->_M_left = nullptr;
    x->_M_right = nullptr;
    x->_M_color = _S_red;

    // Link x below p, keeping the header's leftmost and rightmost.
    if (insertLeft) {
        p->_M_left = x;  // into an empty tree this also makes x the leftmost
        if (p == &header) {
            header._M_parent = x;
            header._M_right = x;
        } else if (p == header._M_left) {
            header._M_left = x;
        }
    } else {
        p->_M_right = x;
        if (p == header._M_right)
            header._M_right = x;
    }

    // No red node with a red parent.
    while (x != root && x->_M_parent->_M_color == _S_red) {
        Node* const grandparent = x->_M_parent->_M_parent;
        const Side side = x->_M_parent == grandparent->_M_left ? Left : Right;
        Node* const uncle = Child(grandparent, Other(side));
        if (!IsBlack(uncle)) {
            x->_M_parent->_M_color = _S_black;
            uncle->_M_color = _S_black;
            grandparent->_M_color = _S_red;
            x = grandparent;
        } else {
            if (x == Child(x->_M_parent, Other(side))) {
                x = x->_M_parent;
                Rotate(x, side, root);
            }
            x->_M_parent->_M_color = _S_black;
            grandparent->_M_color = _S_red;
            Rotate(grandparent, Other(side), root);
        }
    }
    root->_M_color = _S_black;
}

_Rb_tree_node_base* _Rb_tree_rebalance_for_erase(_Rb_tree_node_base* const z, _Rb_tree_node_base& header) throw()
{
    Node*& root = header._M_parent;
    Node*& leftmost = header._M_left;
    Node*& rightmost = header._M_right;

    // y: the node that leaves its place (z, or z's successor when z has two
    // children); x: the child that takes y's place, possibly none.
    Node* y = z;
    Node* x;
    Node* xParent;
    if (!y->_M_left)
        x = y->_M_right;
    else if (!y->_M_right)
        x = y->_M_left;
    else {
        y = Minimum(y->_M_right);
        x = y->_M_right;
    }

    if (y != z) {
        // The successor y takes z's place, colour included.
        z->_M_left->_M_parent = y;
        y->_M_left = z->_M_left;
        if (y != z->_M_right) {
            xParent = y->_M_parent;
            if (x)
                x->_M_parent = y->_M_parent;
            y->_M_parent->_M_left = x;
            y->_M_right = z->_M_right;
            z->_M_right->_M_parent = y;
        } else {
            xParent = y;
        }
        Replace(z, y, root);
        y->_M_parent = z->_M_parent;
        const _Rb_tree_color colour = y->_M_color;
        y->_M_color = z->_M_color;
        z->_M_color = colour;
        y = z;  // the node that leaves the tree
    } else {
        xParent = y->_M_parent;
        if (x)
            x->_M_parent = y->_M_parent;
        Replace(z, x, root);
        // z had at most one child: it may have been the leftmost or the
        // rightmost node (both, when it was the only one: then both become
        // the header, z's parent).
        if (leftmost == z)
            leftmost = z->_M_right ? Minimum(x) : z->_M_parent;
        if (rightmost == z)
            rightmost = z->_M_left ? Maximum(x) : z->_M_parent;
    }

    // A black node left: x carries an extra black up until a red node or the
    // root can absorb it.
    if (y->_M_color != _S_red) {
        while (x != root && IsBlack(x)) {
            const Side side = x == xParent->_M_left ? Left : Right;
            Node* sibling = Child(xParent, Other(side));
            if (sibling->_M_color == _S_red) {
                sibling->_M_color = _S_black;
                xParent->_M_color = _S_red;
                Rotate(xParent, side, root);
                sibling = Child(xParent, Other(side));
            }
            if (IsBlack(sibling->_M_left) && IsBlack(sibling->_M_right)) {
                sibling->_M_color = _S_red;
                x = xParent;
                xParent = xParent->_M_parent;
            } else {
                if (IsBlack(Child(sibling, Other(side)))) {
                    Child(sibling, side)->_M_color = _S_black;
                    sibling->_M_color = _S_red;
                    Rotate(sibling, Other(side), root);
                    sibling = Child(xParent, Other(side));
                }
                sibling->_M_color = xParent->_M_color;
                xParent->_M_color = _S_black;
                if (Child(sibling, Other(side)))
                    Child(sibling, Other(side))->_M_color = _S_black;
                Rotate(xParent, side, root);
                break;
            }
        }
        if (x)
            x->_M_color = _S_black;
    }
    return y;
}

}  // namespace std
