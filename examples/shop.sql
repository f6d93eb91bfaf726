-- The example shop: customers, their orders and the lines of each order,
-- plus a stock table whose name and columns need quoting.
CREATE TABLE customers (
  customer_id INTEGER PRIMARY KEY,
  name        TEXT NOT NULL,
  email       TEXT NOT NULL,
  city        TEXT
);
-- One account per mail address.
CREATE UNIQUE INDEX customers_email ON customers (email);

CREATE TABLE orders (
  order_id    INTEGER PRIMARY KEY,
  customer_id INTEGER NOT NULL REFERENCES customers (customer_id),
  order_date  TEXT NOT NULL,
  status      TEXT NOT NULL DEFAULT 'new',
  total       NUMERIC(10, 2) NOT NULL DEFAULT 0
);
CREATE INDEX orders_customer ON orders (customer_id);

-- Lines are numbered within their order: the key has two columns.
CREATE TABLE order_lines (
  order_id INTEGER NOT NULL REFERENCES orders (order_id),
  line_no  INTEGER NOT NULL,
  product  TEXT NOT NULL,
  quantity INTEGER NOT NULL CHECK (quantity > 0),
  price    NUMERIC(10, 2) NOT NULL,
  PRIMARY KEY (order_id, line_no)
);

CREATE VIEW order_totals AS
  SELECT o.order_id, c.name AS customer, SUM(l.quantity * l.price) AS amount
  FROM orders o
  JOIN customers c ON c.customer_id = o.customer_id
  JOIN order_lines l ON l.order_id = o.order_id
  GROUP BY o.order_id, c.name;

CREATE TABLE "Stock Items" (
  "Item Id"     INTEGER PRIMARY KEY,
  "Description" TEXT NOT NULL,
  "OnHand"      INTEGER NOT NULL DEFAULT 0
);

INSERT INTO customers (customer_id, name, email, city) VALUES
  (1, 'Ada Lovelace', 'ada@example.org', 'London'),
  (2, 'Grace Hopper', 'grace@example.org', 'Arlington'),
  (3, 'Edsger Dijkstra', 'edsger@example.org', 'Nuenen');

INSERT INTO orders (order_id, customer_id, order_date, status, total) VALUES
  (100, 1, '2024-03-01', 'shipped', 42.50),
  (101, 2, '2024-03-02', 'new', 19.90),
  (102, 1, '2024-03-05', 'new', 7.25);

INSERT INTO order_lines (order_id, line_no, product, quantity, price) VALUES
  (100, 1, 'Notebook', 5, 4.50),
  (100, 2, 'Fountain pen', 1, 20.00),
  (101, 1, 'Compiler manual', 1, 19.90),
  (102, 1, 'Pencil', 5, 1.45);

INSERT INTO "Stock Items" ("Item Id", "Description", "OnHand") VALUES
  (1, 'Notebook', 120),
  (2, 'Fountain pen', 8),
  (3, 'Pencil', 500);
