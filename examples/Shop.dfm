object ShopModule: TDataModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    LoginPrompt = False
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
  end
  object OrdersQuery: TDVQuery
    DatabaseName = 'shop'
    UpdateObject = OrdersUpdate
    SQL.Strings = (
      'SELECT o.order_id, o.customer_id, o.order_date AS ordered_on,'
      '  o.status, o.total'
      'FROM orders o'
      'ORDER BY o.order_id')
  end
  object OrdersUpdate: TDVUpdateSQL
  end
  object CustomersTable: TDVTable
    DatabaseName = 'shop'
    TableName = 'customers'
  end
  object RecalcTotalsProc: TDVStoredProc
    DatabaseName = 'shop'
    StoredProcName = 'recalc_order_totals'
  end
end
